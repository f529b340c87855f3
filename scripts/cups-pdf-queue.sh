#!/usr/bin/env bash
# A private CUPS server with one PDF queue (printer-driver-cups-pdf), for the test that prints a
# split sheet through the real print system. It listens only on a socket in its own folder and
# leaves the machine's CUPS alone.
#   start DIR   starts it and prints the variables the test reads (eval them)
#   stop DIR    stops it and removes its queue settings
# Needs root (the PDF back end runs as root) and the Debian packages cups, printer-driver-cups-pdf.
set -euo pipefail
action=${1:?start|stop DIR}
dir=$(realpath -m "${2:?DIR}")
queue=SplitDuelTestPDF
queue_conf=/etc/cups/cups-pdf-$queue.conf

case $action in
start)
  if [ -f "$dir/cupsd.pid" ] && kill -0 "$(cat "$dir/cupsd.pid")" 2>/dev/null; then
    echo "a server already runs for $dir" >&2
    exit 1
  fi
  mkdir -p "$dir"/{spool,cache,state,log,out,tmp,ppd}
  chmod 755 "$dir" "$dir"/{spool,cache,state,log,out,ppd}
  chmod 1777 "$dir/tmp"
  chgrp lp "$dir/spool" "$dir/cache" 2>/dev/null || true
  cat > "$dir/cups-files.conf" <<EOF
ServerRoot $dir
RequestRoot $dir/spool
CacheDir $dir/cache
StateDir $dir/state
TempDir $dir/tmp
ErrorLog $dir/log/error_log
AccessLog $dir/log/access_log
PageLog $dir/log/page_log
ServerBin /usr/lib/cups
DataDir /usr/share/cups
SystemGroup root
User lp
Group lp
EOF
  cat > "$dir/cupsd.conf" <<EOF
Listen $dir/cups.sock
LogLevel warn
Browsing No
WebInterface No
DefaultAuthType None
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
  # The PDF back end reads the settings of a queue from a fixed place; this queue writes into
  # the private folder.
  printf 'Out %s\nAnonDirName %s\nLabel 0\n' "$dir/out" "$dir/out" > "$queue_conf"
  /usr/sbin/cupsd -f -c "$dir/cupsd.conf" -s "$dir/cups-files.conf" > "$dir/log/cupsd.out" 2>&1 &
  echo $! > "$dir/cupsd.pid"
  for _ in $(seq 50); do [ -S "$dir/cups.sock" ] && break; sleep 0.1; done
  [ -S "$dir/cups.sock" ] || { echo "cupsd did not start" >&2; cat "$dir/log/"* >&2; exit 1; }
  # The back end finds the settings above by the name after "cups-pdf:/".
  /usr/sbin/lpadmin -h "$dir/cups.sock" -p "$queue" -E -v "cups-pdf:/$queue" \
    -P /usr/share/ppd/cups-pdf/CUPS-PDF_noopt.ppd
  echo "export CUPS_SERVER=$dir/cups.sock SPLITDUEL_CUPS_QUEUE=$queue SPLITDUEL_CUPS_OUT=$dir/out"
  ;;
stop)
  if [ -f "$dir/cupsd.pid" ]; then
    kill "$(cat "$dir/cupsd.pid")" 2>/dev/null || true
    rm -f "$dir/cupsd.pid"
  fi
  rm -f "$queue_conf"
  ;;
*)
  echo "usage: $0 start|stop DIR" >&2
  exit 64
  ;;
esac
