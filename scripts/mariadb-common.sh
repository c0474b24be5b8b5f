# Shared by testdb.sh and demodb.sh, which run private MariaDB server processes.
# Source it; it defines functions only.

# Prints the path of the first of the named programs that is installed (the server
# binaries live in sbin, which is not always on PATH); exits when none is.
find_bin() {
  for n in "$@"; do
    if command -v "$n" >/dev/null 2>&1; then command -v "$n"; return; fi
    for d in /usr/sbin /usr/bin /usr/libexec; do
      if [[ -x "$d/$n" ]]; then echo "$d/$n"; return; fi
    done
  done
  echo "$(basename "$0"): none of $* found (run scripts/install-deps.sh)" >&2
  exit 1
}

# Whether the server whose pid file is $PIDFILE is running.
running() {
  [[ -f "$PIDFILE" ]] && kill -0 "$(cat "$PIDFILE")" 2>/dev/null
}
