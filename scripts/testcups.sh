#!/usr/bin/env bash
# Runs a private CUPS print server for the tests, with one virtual PDF printer
# (cups-pdf) whose output lands in a folder of its own; no system service.
#   testcups.sh start   start it (if not running) and print its environment
#   testcups.sh env     print the environment of the running server
#   testcups.sh stop    stop it and remove its files
# The printed lines are shell assignments: eval "$(scripts/testcups.sh start)".
# The cups-pdf backend reads its settings only from /etc/cups, so the queue's own
# settings files are written there (named after the queues) and removed on stop.
set -euo pipefail

STATE_DIR="${ORVEL_TESTCUPS_DIR:-${TMPDIR:-/tmp}/orvel-testcups-$(id -u)}"
QUEUE="${ORVEL_TESTCUPS_QUEUE:-OrvelTestPDF}"
# A second printer, so tests can tell one printer's settings from another's.
SECOND="${QUEUE}Labels"
SOCKET="$STATE_DIR/run/cups.sock"
PIDFILE="$STATE_DIR/cupsd.pid"
queue_conf() { echo "/etc/cups/cups-pdf-$1.conf"; }

print_env() {
  cat <<ENV
export CUPS_SERVER='$SOCKET'
export ORVEL_TEST_PRINTER='$QUEUE'
export ORVEL_TEST_PRINTER2='$SECOND'
export ORVEL_TEST_PRINTER_OUT='$STATE_DIR/out'
ENV
}

running() {
  [[ -f "$PIDFILE" ]] && kill -0 "$(cat "$PIDFILE")" 2>/dev/null && [[ -S "$SOCKET" ]]
}

write_config() {
  mkdir -p "$STATE_DIR"/{etc/ppd,spool/tmp,cache,log,out,run}
  chmod 1777 "$STATE_DIR/spool/tmp"
  cat >"$STATE_DIR/etc/cupsd.conf" <<CONF
Listen $SOCKET
LogLevel warn
WebInterface No
Browsing No
DefaultAuthType None
<Location />
  Order allow,deny
  Allow all
</Location>
<Policy default>
  JobPrivateAccess all
  JobPrivateValues none
  SubscriptionPrivateAccess all
  SubscriptionPrivateValues none
  <Limit All>
    Order allow,deny
    Allow all
  </Limit>
</Policy>
CONF
  cat >"$STATE_DIR/etc/cups-files.conf" <<CONF
ServerRoot $STATE_DIR/etc
RequestRoot $STATE_DIR/spool
TempDir $STATE_DIR/spool/tmp
CacheDir $STATE_DIR/cache
StateDir $STATE_DIR/run
ServerBin /usr/lib/cups
DataDir /usr/share/cups
ErrorLog $STATE_DIR/log/error_log
AccessLog $STATE_DIR/log/access_log
PageLog $STATE_DIR/log/page_log
SystemGroup root
Sandboxing Relaxed
CONF
  local q
  for q in "$QUEUE" "$SECOND"; do
    cat >"$(queue_conf "$q")" <<CONF
Out $STATE_DIR/out
AnonDirName $STATE_DIR/out
Spool $STATE_DIR/spool/cups-pdf
Grp root
Log $STATE_DIR/log
TitlePref 1
CONF
  done
}

start() {
  if running; then print_env; return; fi
  if [[ $(id -u) -ne 0 ]]; then
    echo "testcups: the virtual PDF printer's backend runs only under root" >&2
    exit 1
  fi
  local cupsd
  cupsd=$(command -v cupsd || echo /usr/sbin/cupsd)
  [[ -x "$cupsd" ]] || { echo "testcups: cupsd not found (run scripts/install-deps.sh)" >&2; exit 1; }
  stop_server
  rm -rf "$STATE_DIR"
  write_config
  "$cupsd" -f -c "$STATE_DIR/etc/cupsd.conf" -s "$STATE_DIR/etc/cups-files.conf" \
    >"$STATE_DIR/log/stdout" 2>&1 &
  echo $! >"$PIDFILE"
  for _ in $(seq 1 100); do
    if running && CUPS_SERVER="$SOCKET" lpstat -r >/dev/null 2>&1; then
      local q
      for q in "$QUEUE" "$SECOND"; do
        # pdftocairo keeps the printed text's fonts, so the tests can read it back.
        CUPS_SERVER="$SOCKET" lpadmin -p "$q" -E -v "cups-pdf:/$q" \
          -P /usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd \
          -o pdftops-renderer-default=pdftocairo 2>/dev/null
      done
      CUPS_SERVER="$SOCKET" lpadmin -d "$QUEUE"
      print_env
      return
    fi
    sleep 0.1
  done
  stop_server
  echo "testcups: print server did not start; its log:" >&2
  cat "$STATE_DIR/log/error_log" "$STATE_DIR/log/stdout" >&2 2>/dev/null || true
  exit 1
}

stop_server() {
  if [[ -f "$PIDFILE" ]]; then
    local pid; pid=$(cat "$PIDFILE")
    kill "$pid" 2>/dev/null || true
    for _ in $(seq 1 100); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
  fi
}

stop() {
  stop_server
  rm -f "$(queue_conf "$QUEUE")" "$(queue_conf "$SECOND")"
  rm -rf "$STATE_DIR"
}

case "${1:-}" in
  start) start ;;
  stop) stop ;;
  env) running || { echo "testcups: not running" >&2; exit 1; }; print_env ;;
  *) echo "usage: $0 start|stop|env" >&2; exit 2 ;;
esac
