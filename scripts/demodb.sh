#!/usr/bin/env bash
# Runs the demo's MariaDB server: a private server process (no system service)
# whose data is kept between runs in a per-user folder, loaded with the demo
# data on its first start.
#   demodb.sh start [FILE]       start it (if not running); print its environment;
#                                write the deployment file to FILE or $ORVEL_DEPLOYMENT
#   demodb.sh deployment FILE    write the deployment file for the running server
#   demodb.sh env                print the environment of the running server
#   demodb.sh stop               stop it (the data stays)
#   demodb.sh reset              stop it and delete its data (next start reloads)
# Settings: ORVEL_DEMO_DIR (data folder), ORVEL_DEMO_PORT (default 33062).
# The printed lines are shell assignments: eval "$(scripts/demodb.sh start)".
set -euo pipefail

ROOT=$(cd "$(dirname "$0")/.." && pwd)
# shellcheck source=mariadb-common.sh
source "$ROOT/scripts/mariadb-common.sh"
STATE_DIR="${ORVEL_DEMO_DIR:-${XDG_DATA_HOME:-$HOME/.local/share}/orvel-demo}"
PORT="${ORVEL_DEMO_PORT:-33062}"
HOST=127.0.0.1
SOCKET="$STATE_DIR/mysqld.sock"
PIDFILE="$STATE_DIR/mysqld.pid"
LOG="$STATE_DIR/error.log"
LOADED="$STATE_DIR/loaded"
MEMBER_DB=orvel_member
CUSTOMER_DB=orvel_customers
DB_USER=orvel
DB_PASSWORD=orvel
CHARSET=euckr

die() { echo "demodb: $*" >&2; exit 1; }

print_env() {
  cat <<ENV
export ORVEL_DEMO_DB_SOCKET='$SOCKET'
export ORVEL_DEMO_DB_HOST='$HOST'
export ORVEL_DEMO_DB_PORT='$PORT'
export ORVEL_DEMO_DB_USER='$DB_USER'
export ORVEL_DEMO_DB_PASSWORD='$DB_PASSWORD'
export ORVEL_DEMO_MEMBER_DB='$MEMBER_DB'
export ORVEL_DEMO_CUSTOMER_DB='$CUSTOMER_DB'
ENV
}

# Runs the client as root over the socket; the data files are CP949 bytes and
# the client's character set equals the databases', so nothing is converted.
sql_root() {
  mariadb --no-defaults -S "$SOCKET" -uroot --default-character-set="$CHARSET" "$@"
}

# Feeds one UTF-8 demo file, placeholders replaced, as CP949 bytes.
load_file() {
  local db=$1 file=$2
  sed -e "s/@@DB_HOST@@/$HOST/g" -e "s/@@DB_PORT@@/$PORT/g" \
    -e "s/@@DB_DATABASE@@/$CUSTOMER_DB/g" -e "s/@@DB_USER@@/$DB_USER/g" \
    -e "s/@@DB_PASSWORD@@/$DB_PASSWORD/g" "$file" |
    iconv -f UTF-8 -t CP949 | sql_root "$db" || die "loading $file failed"
}

load_demo() {
  sql_root <<SQL || die "creating the demo databases failed"
CREATE DATABASE $MEMBER_DB CHARACTER SET $CHARSET;
CREATE DATABASE $CUSTOMER_DB CHARACTER SET $CHARSET;
CREATE USER '$DB_USER'@'localhost' IDENTIFIED BY '$DB_PASSWORD';
CREATE USER '$DB_USER'@'127.0.0.1' IDENTIFIED BY '$DB_PASSWORD';
GRANT ALL PRIVILEGES ON $MEMBER_DB.* TO '$DB_USER'@'localhost', '$DB_USER'@'127.0.0.1';
GRANT ALL PRIVILEGES ON $CUSTOMER_DB.* TO '$DB_USER'@'localhost', '$DB_USER'@'127.0.0.1';
SQL
  load_file "$MEMBER_DB" "$ROOT/sql/member_directory.sql"
  load_file "$MEMBER_DB" "$ROOT/sql/demo/member_directory_data.sql"
  load_file "$MEMBER_DB" "$ROOT/sql/demo/zipcode_data.sql"
  load_file "$CUSTOMER_DB" "$ROOT/sql/customer_database.sql"
  load_file "$CUSTOMER_DB" "$ROOT/sql/demo/customer_database_data.sql"
  load_file "$CUSTOMER_DB" "$ROOT/sql/demo/customers_data.sql"
}

# The demo members point at this server; keep their port in step with the one
# this run uses.
repoint_members() {
  sql_root "$MEMBER_DB" -e "UPDATE zetyx_member_table SET DB_Port=$PORT
    WHERE DB_Host IN ('127.0.0.1','localhost') AND DB_DataBase='$CUSTOMER_DB' AND DB_Port<>$PORT" ||
    die "updating the demo members' port failed"
}

start_server() {
  local mysqld user_opt=()
  mysqld=$(find_bin mariadbd mysqld)
  if [[ $(id -u) -eq 0 ]]; then user_opt=(--user=root); fi
  "$mysqld" --no-defaults --datadir="$STATE_DIR/data" --socket="$SOCKET" \
    --port="$PORT" --bind-address="$HOST" --pid-file="$PIDFILE" \
    --log-error="$LOG" --skip-name-resolve --innodb-buffer-pool-size=128M \
    --character-set-server="$CHARSET" "${user_opt[@]}" >/dev/null 2>&1 &
  for _ in $(seq 1 300); do
    if [[ -S "$SOCKET" ]] && running &&
      mariadb --no-defaults -S "$SOCKET" -uroot -e 'select 1' >/dev/null 2>&1; then
      return
    fi
    sleep 0.1
  done
  echo "demodb: server did not start; the end of its log ($LOG):" >&2
  tail -n 30 "$LOG" >&2 || true
  if grep -q "Address already in use" "$LOG" 2>/dev/null; then
    echo "demodb: port $PORT is taken; choose another with ORVEL_DEMO_PORT=<port>" >&2
  fi
  exit 1
}

start() {
  # A server left running by a load that failed is stopped and rebuilt.
  if running && [[ ! -f "$LOADED" ]]; then stop; fi
  if ! running; then
    if [[ ! -f "$LOADED" ]]; then
      local install_db user_opt=()
      install_db=$(find_bin mariadb-install-db mysql_install_db)
      if [[ $(id -u) -eq 0 ]]; then user_opt=(--user=root); fi
      # A folder without the mark of a finished load is rebuilt from scratch.
      rm -rf "$STATE_DIR/data"
      mkdir -p "$STATE_DIR/data"
      "$install_db" --no-defaults --datadir="$STATE_DIR/data" \
        --auth-root-authentication-method=normal --skip-test-db "${user_opt[@]}" \
        >"$STATE_DIR/install.log" 2>&1 || { cat "$STATE_DIR/install.log" >&2; exit 1; }
      start_server
      echo "demodb: loading the demo data into $STATE_DIR" >&2
      load_demo
      date >"$LOADED"
    else
      start_server
    fi
    repoint_members
  fi
  if [[ -n "${1:-}" ]]; then write_deployment "$1"; fi
  print_env
}

stop() {
  if running; then
    local pid
    pid=$(cat "$PIDFILE")
    kill "$pid"
    for _ in $(seq 1 600); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
    if kill -0 "$pid" 2>/dev/null; then die "server $pid did not stop"; fi
  fi
}

# The deployment file (UTF-8 INI): the member directory over the server's
# socket; the start-up customer database over TCP, as the member rows reach it
# (a login changes host and port only, so no socket may linger there).
write_deployment() {
  local file=$1
  mkdir -p "$(dirname "$file")"
  cat >"$file" <<INI
[MemberDirectory]
Host=$HOST
Port=$PORT
Socket=$SOCKET
Database=$MEMBER_DB
User=$DB_USER
Password=$DB_PASSWORD
Charset=$CHARSET

[StartupDatabase]
Host=$HOST
Port=$PORT
Socket=
Database=$CUSTOMER_DB
User=$DB_USER
Password=$DB_PASSWORD
Charset=$CHARSET

[Web]
SignupUrl=http://localhost/bbs/member_join.php
SupportUrl=http://localhost/bbs/support.php
SupportText=고객지원

[Skin]
Main=
Controls=
Dialogs=

[Security]
TlsMode=off
TlsCa=
INI
  echo "demodb: wrote $file" >&2
}

case "${1:-}" in
  start) start "${2:-${ORVEL_DEPLOYMENT:-}}" ;;
  deployment)
    [[ -n "${2:-}" ]] || die "usage: $0 deployment FILE"
    write_deployment "$2" ;;
  env) running || die "not running"; print_env ;;
  stop) stop ;;
  reset) stop; rm -rf "$STATE_DIR/data" "$LOADED" "$LOG" "$STATE_DIR/install.log" ;;
  *) echo "usage: $0 start [FILE]|deployment FILE|env|stop|reset" >&2; exit 2 ;;
esac
