#!/usr/bin/env bash
# Runs a throwaway MariaDB server for the tests: a private data folder in a
# temp directory, a unix socket and a loopback port, no system service.
#   testdb.sh start   start it (if not running) and print its environment
#   testdb.sh env     print the environment of the running server
#   testdb.sh stop    stop it and remove its data
# The printed lines are shell assignments: eval "$(scripts/testdb.sh start)".
set -euo pipefail
# shellcheck source=mariadb-common.sh
source "$(dirname "$0")/mariadb-common.sh"

STATE_DIR="${ORVEL_TESTDB_DIR:-${TMPDIR:-/tmp}/orvel-testdb-$(id -u)}"
PORT="${ORVEL_TESTDB_PORT:-33061}"
SOCKET="$STATE_DIR/mysqld.sock"
PIDFILE="$STATE_DIR/mysqld.pid"

print_env() {
  cat <<ENV
export ORVEL_TEST_DB_SOCKET='$SOCKET'
export ORVEL_TEST_DB_HOST='127.0.0.1'
export ORVEL_TEST_DB_PORT='$PORT'
export ORVEL_TEST_DB_USER='root'
export ORVEL_TEST_DB_PASSWORD=''
ENV
}

start() {
  if running; then print_env; return; fi
  local install_db mysqld user_opt=()
  install_db=$(find_bin mariadb-install-db mysql_install_db)
  mysqld=$(find_bin mariadbd mysqld)
  rm -rf "$STATE_DIR"
  mkdir -p "$STATE_DIR/data"
  if [[ $(id -u) -eq 0 ]]; then user_opt=(--user=root); fi
  "$install_db" --no-defaults --datadir="$STATE_DIR/data" --auth-root-authentication-method=normal \
    --skip-test-db "${user_opt[@]}" >"$STATE_DIR/install.log" 2>&1 || {
    cat "$STATE_DIR/install.log" >&2; exit 1; }
  "$mysqld" --no-defaults --datadir="$STATE_DIR/data" --socket="$SOCKET" \
    --port="$PORT" --bind-address=127.0.0.1 --pid-file="$PIDFILE" \
    --log-error="$STATE_DIR/error.log" --skip-name-resolve \
    --innodb-buffer-pool-size=256M --innodb-flush-log-at-trx-commit=2 \
    --max-allowed-packet=64M --character-set-server=latin1 \
    "${user_opt[@]}" >/dev/null 2>&1 &
  for _ in $(seq 1 300); do
    if [[ -S "$SOCKET" ]] && running; then
      if mariadb --no-defaults -S "$SOCKET" -uroot -e 'select 1' >/dev/null 2>&1; then
        print_env; return
      fi
    fi
    sleep 0.1
  done
  echo "testdb: server did not start; its log:" >&2
  cat "$STATE_DIR/error.log" >&2 || true
  exit 1
}

stop() {
  if running; then
    local pid; pid=$(cat "$PIDFILE")
    kill "$pid"
    for _ in $(seq 1 300); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
  fi
  rm -rf "$STATE_DIR"
}

case "${1:-}" in
  start) start ;;
  stop) stop ;;
  env) running || { echo "testdb: not running" >&2; exit 1; }; print_env ;;
  *) echo "usage: $0 start|stop|env" >&2; exit 2 ;;
esac
