#!/usr/bin/env bash
# taskbar_check.sh EXE ICO: starts the program EXE under its Wine on the test display and reads its windows
# back as the window manager and a taskbar see them, through the clients in the root's _NET_CLIENT_LIST. The
# main window's client, named "Stripewright", is not skipped by the taskbar and shows the program's icon,
# pixel for pixel ICO's 32- and 16-pixel images; the client of a tips window (generating with only the cue
# text in the box opens one) stays off the taskbar. Exits 77 (a skip) where EXE's Wine cannot run here.
set -uo pipefail
top=$(cd "$(dirname "$0")/../.." && pwd)
exe=$1 ico=$2
if [ -z "${SW_DISPLAY:-}" ]; then exec "$top/scripts/with-display" "$0" "$@"; fi
. "$top/scripts/wine-env"
arch=$(sw_wine_for "$exe")
if [ "$arch" = win32 ] && ! why=$(sw_win32_support); then echo "taskbar_check: skipped: $why" >&2; exit 77; fi
sw_use_wine "$arch"
export DISPLAY=$SW_DISPLAY
fail() { echo "taskbar_check: $*"; exit 1; }

cd "$(dirname "$exe")"
"$sw_wine" "$exe" >/dev/null 2>&1 &
program=$!
# The pointer goes back where it was: the display is shared, and a pointer left over a later test's
# button would show that button's mouse-over image in its screen pixels.
eval "$(xdotool getmouselocation --shell 2>/dev/null | grep -E '^[XY]=[0-9]+$')"
trap 'kill $program 2>/dev/null; wait $program 2>/dev/null; xdotool mousemove "${X:-0}" "${Y:-0}" 2>/dev/null' EXIT

# The program's clients that `fits` (a command given the window id), waited for up to 30 s; prints the first.
# Wine sets _NET_WM_PID to its process, which is the one started above.
wait_client() {
  local deadline=$((SECONDS + 30)) w
  while [ $SECONDS -lt $deadline ]; do
    for w in $(xprop -root _NET_CLIENT_LIST 2>/dev/null | sed -n 's/^.*# //p' | tr ',' ' '); do
      if [ "$(xprop -id "$w" -notype _NET_WM_PID 2>/dev/null)" = "_NET_WM_PID = $program" ] && "$@" "$w"; then
        sleep 0.5   # listed is not yet settled: let Wine finish the window's properties
        echo "$w"; return 0
      fi
    done
    sleep 0.2
  done
  return 1
}
named_stripewright() { xprop -id "$1" -notype _NET_WM_NAME WM_NAME 2>/dev/null | grep -qx '[A-Z_]*NAME = "Stripewright"'; }
tips_of_main() {
  xprop -id "$1" WM_TRANSIENT_FOR 2>/dev/null | grep -q "# $main\$" &&
    xwininfo -id "$1" 2>/dev/null | grep -q 'Width: 360' && xwininfo -id "$1" | grep -q 'Height: 156'
}
skips_taskbar() { xprop -id "$1" -notype _NET_WM_STATE 2>/dev/null | grep -q _NET_WM_STATE_SKIP_TASKBAR; }

main=$(wait_client named_stripewright) || fail "no client named Stripewright within 30 s"
failed=0
skips_taskbar "$main" && { echo "taskbar_check: the main window's client skips the taskbar"; failed=1; }

icon=$(xprop -id "$main" -f _NET_WM_ICON 32c _NET_WM_ICON 2>/dev/null | sed -n 's/^_NET_WM_ICON(CARDINAL) = //p')
python3 - "$ico" "$icon" <<'PY' || failed=1
import struct
import sys

ico, numbers = open(sys.argv[1], "rb").read(), [int(n) for n in sys.argv[2].replace(",", " ").split()]
# The .ico's 32-bit images stored as bitmaps (bottom-up BGRA, read as 0xAARRGGBB), rows turned top-down
# as _NET_WM_ICON holds them.
expected = {}
for i in range(struct.unpack_from("<H", ico, 4)[0]):
    width, height, _, _, _, bits, _, offset = struct.unpack_from("<BBBBHHII", ico, 6 + 16 * i)
    if bits == 32 and ico[offset:offset + 4] == b"(\0\0\0":
        rows = [struct.unpack_from(f"<{width}I", ico, offset + 40 + 4 * width * y) for y in range(height)]
        expected[(width, height)] = [pixel for row in reversed(rows) for pixel in row]
# _NET_WM_ICON: width, height and the pixels of each image in turn.
shown, i = {}, 0
while i + 2 <= len(numbers):
    width, height = numbers[i:i + 2]
    shown[(width, height)] = numbers[i + 2:i + 2 + width * height]
    i += 2 + width * height
failed = False
for size in ((32, 32), (16, 16)):  # Wine's SM_CXICON and SM_CXSMICON
    if size not in shown:
        print(f"taskbar_check: the main window shows no {size[0]}-pixel icon (it has {sorted(shown)})")
        failed = True
    elif shown[size] != expected.get(size):
        print(f"taskbar_check: the main window's {size[0]}-pixel icon is not the program's")
        failed = True
sys.exit(1 if failed else 0)
PY

# The generate button (67, 251, 100 x 30) clicked with the cue text in the box opens ErrorTipsWindow.
xdotool mousemove --window "$main" 117 266 click 1
tips=$(wait_client tips_of_main) || fail "no tips window over the main window within 30 s"
skips_taskbar "$tips" || { echo "taskbar_check: the tips window's client does not skip the taskbar"; failed=1; }

[ $failed = 0 ] && echo "taskbar_check: the main window alone is on the taskbar, with the program's icon"
exit $failed
