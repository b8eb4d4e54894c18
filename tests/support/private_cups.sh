#!/usr/bin/env bash
# private_cups.sh start|stop DIR: a print spooler of the test run's own, so that printing can be followed
# from a Windows program under Wine to a PDF on disk without touching the machine's own spooler.
#
# start: a CUPS daemon whose configuration, spool, cache, state and logs all live under DIR, listening only
#   on the Unix socket DIR/cups.sock (no network port); clients reach it with CUPS_SERVER=DIR/cups.sock. Its
#   one queue, "swpdf", is the default printer: the PDF printer's own PPD (printer-driver-cups-pdf), so that
#   Wine sees the paper and resolution a user of that queue sees, with the job turned into PDF by CUPS's own
#   filters and written by a small backend of ours as DIR/out/job-<id>.pdf (renamed into place once whole).
#   The cups-pdf backend itself is not used: it reads its settings only from /etc/cups and writes its spool
#   and log under /var, which a private run must not touch, and it names files by title, not by job.
# stop: ends exactly the daemon that start left in DIR/cupsd.pid (and is a skip too where start was one).
#
# Where the daemon cannot start (not root, a package missing, no cupsd answer), start prints one line why,
# writes it to DIR/unavailable for the tests that follow, and exits 77 (CTest's skip). SW_HIDE_CUPS=1 makes
# start fail so, to see how a machine without the daemon is handled.
set -uo pipefail
action=${1:-}
dir=${2:-}
[ -n "$action" ] && [ -n "$dir" ] || { echo "usage: $0 start|stop DIR" >&2; exit 2; }
mkdir -p "$dir"
dir=$(cd "$dir" && pwd)
pidfile=$dir/cupsd.pid

# The daemon named in the pid file, if it is still the one started with DIR's configuration.
running_pid() {
  local pid
  pid=$(cat "$pidfile" 2>/dev/null) || return 1
  [ -n "$pid" ] && tr '\0' ' ' < "/proc/$pid/cmdline" 2>/dev/null | grep -qF "$dir/etc/cupsd.conf" || return 1
  echo "$pid"
}

stop() {
  local pid
  if pid=$(running_pid); then
    kill "$pid"
    for _ in $(seq 50); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
    kill -0 "$pid" 2>/dev/null && kill -KILL "$pid"
  fi
  rm -f "$pidfile"
}

unavailable() {
  echo "private_cups: no private print spooler, the print tests are skipped: $*"
  echo "$*" > "$dir/unavailable"
  exit 77
}

start() {
  stop
  rm -rf "$dir/etc" "$dir/spool" "$dir/cache" "$dir/state" "$dir/log" "$dir/lib" "$dir/out" "$dir/pages" \
    "$dir/unavailable" "$dir/printed.txt"
  [ -z "${SW_HIDE_CUPS:-}" ] || unavailable "hidden by SW_HIDE_CUPS"
  [ "$(id -u)" = 0 ] || unavailable "the daemon runs its filters as user lp, which needs root (run as $(id -un))"
  local cupsd=/usr/sbin/cupsd ppd=/usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd
  [ -x "$cupsd" ] || unavailable "$cupsd is missing (Debian package cups; scripts/bootstrap installs it)"
  [ -f "$ppd" ] || unavailable "$ppd is missing (Debian package printer-driver-cups-pdf)"
  command -v gs >/dev/null || unavailable "gs is missing (Debian package ghostscript)"
  # A Unix socket's path holds at most 107 bytes.
  [ ${#dir} -le 90 ] || unavailable "the folder $dir is too long a path for the daemon's socket"

  mkdir -p "$dir"/{etc/ppd,spool/tmp,cache,state,log,lib/backend,out}
  # The filters run as lp: they read the spool and the PPD and write temporary files; the backend runs as
  # root (its file is the owner's only) and writes into out/.
  chgrp lp "$dir/spool" "$dir/spool/tmp" "$dir/cache" "$dir/etc" "$dir/etc/ppd"
  chmod 0710 "$dir/spool"
  chmod 1770 "$dir/spool/tmp"
  chmod 0770 "$dir/cache"
  chmod 0755 "$dir/etc" "$dir/etc/ppd"

  cat > "$dir/etc/cups-files.conf" <<EOF
ServerRoot $dir/etc
RequestRoot $dir/spool
TempDir $dir/spool/tmp
CacheDir $dir/cache
StateDir $dir/state
ServerBin $dir/lib
AccessLog $dir/log/access_log
ErrorLog $dir/log/error_log
PageLog $dir/log/page_log
Printcap $dir/state/printcap
User lp
Group lp
SystemGroup root
FileDevice No
EOF
  cat > "$dir/etc/cupsd.conf" <<EOF
LogLevel info
Listen $dir/cups.sock
Browsing No
BrowseLocalProtocols none
DefaultShared No
WebInterface No
PreserveJobHistory Yes
PreserveJobFiles No
MaxJobs 0
<Location />
  Order allow,deny
  Allow all
</Location>
<Policy default>
  <Limit All>
    Order deny,allow
  </Limit>
</Policy>
EOF
  # The daemon's programs are the system's, and one backend of ours.
  local part
  for part in filter daemon cgi-bin monitor notifier driver; do ln -s "/usr/lib/cups/$part" "$dir/lib/$part"; done
  cat > "$dir/lib/backend/pdfdir" <<'EOF'
#!/bin/sh
# pdfdir:/FOLDER backend: writes each job's PDF whole as FOLDER/job-<id>.pdf.
[ $# -eq 0 ] && { echo 'file pdfdir "Unknown" "PDF files in a folder"'; exit 0; }
folder=${DEVICE_URI#pdfdir:}
part="$folder/.job-$1.part"
if [ $# -ge 6 ]; then cat "$6" > "$part" || exit 1; else cat > "$part" || exit 1; fi
mv "$part" "$folder/job-$1.pdf"
EOF
  chmod 0700 "$dir/lib/backend/pdfdir"

  # The queue: the PDF printer's PPD, with the PDF that CUPS's filters make as what this printer takes.
  { cat "$ppd"; printf '*cupsFilter2: "application/vnd.cups-pdf application/pdf 0 -"\n'; } \
    > "$dir/etc/ppd/swpdf.ppd"
  chmod 0644 "$dir/etc/ppd/swpdf.ppd"
  cat > "$dir/etc/printers.conf" <<EOF
<DefaultPrinter swpdf>
Info Stripewright test PDF printer
MakeModel Generic CUPS-PDF Printer
DeviceURI pdfdir:$dir/out
State Idle
Accepting Yes
Shared No
ErrorPolicy abort-job
</DefaultPrinter>
EOF
  chmod 0600 "$dir/etc/printers.conf"

  # No system message bus either: the daemon would register its queue's colour profiles with the machine's
  # colour manager there.
  DBUS_SYSTEM_BUS_ADDRESS=unix:path=$dir/no-system-bus setsid "$cupsd" -f -c "$dir/etc/cupsd.conf" -s "$dir/etc/cups-files.conf" \
    >"$dir/log/cupsd.out" 2>&1 < /dev/null &
  echo $! > "$pidfile"
  local i
  for i in $(seq 100); do
    running_pid >/dev/null || unavailable "cupsd ended at once: $(tail -n 1 "$dir/log/cupsd.out" "$dir/log/error_log" 2>/dev/null | grep -v '^==' | tr '\n' ' ')"
    if [ -S "$dir/cups.sock" ] \
      && CUPS_SERVER=$dir/cups.sock lpstat -d 2>/dev/null | grep -q 'swpdf'; then
      echo "private_cups: cupsd $(cat "$pidfile") on $dir/cups.sock, default printer swpdf, PDFs into $dir/out"
      return 0
    fi
    sleep 0.1
  done
  stop
  unavailable "cupsd did not answer on $dir/cups.sock within 10 s (see $dir/log/error_log)"
}

case $action in
  start) start ;;
  stop)
    stop
    [ ! -f "$dir/unavailable" ] || exit 77 ;;
  *) echo "usage: $0 start|stop DIR" >&2; exit 2 ;;
esac
