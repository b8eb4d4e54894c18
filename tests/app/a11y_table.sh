#!/usr/bin/env bash
# a11y_table.sh PROGRAM PROBE: starts the program under its Wine on a private display, runs the probe
# beside it (the same Wine, another process) and prints the probe's table of what a screen reader learns.
set -uo pipefail
top=$(cd "$(dirname "$0")/../.." && pwd)
program=$1 probe=$2
if [ -z "${SW_DISPLAY:-}" ]; then exec "$top/scripts/with-display" "$0" "$@"; fi
. "$top/scripts/wine-env"
sw_use_wine "$(sw_wine_for "$program")"
export DISPLAY=$SW_DISPLAY
cd "$(dirname "$program")"
"$sw_wine" "$program" >/dev/null 2>&1 &
pid=$!
"$sw_wine" "$probe"
status=$?
kill "$pid" 2>/dev/null
wait "$pid" 2>/dev/null
exit $status
