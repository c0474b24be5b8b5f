#!/usr/bin/env bash
# Builds and runs every benchmark under bench/ and prints their name=value lines.
#   scripts/bench.sh [rows]     rows: customers in the list benchmark (default 1000000)
# Uses the running test database (scripts/testdb.sh) or starts one, and stops it again
# only when it started it. The generated customer table is kept while the server runs,
# so a second run with the same row count skips the generation.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
rows="${1:-1000000}"
build="$root/build-bench"

bash "$root/scripts/install-deps.sh" >&2
# The print benchmark compares with LibreOffice, which only the benchmarks need.
if ! command -v soffice >/dev/null 2>&1; then
  SUDO=""; if [[ $(id -u) -ne 0 ]]; then SUDO="sudo"; fi
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -q --no-install-recommends \
    libreoffice-calc-nogui >&2
fi
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release >&2
ninja -C "$build" -j2 bench/all >&2 # every target defined under bench/

started=0
if env_lines=$("$root/scripts/testdb.sh" env 2>/dev/null); then
  eval "$env_lines"
else
  eval "$("$root/scripts/testdb.sh" start)"
  started=1
fi
stop_db() { if ((started)); then "$root/scripts/testdb.sh" stop; fi; }
trap stop_db EXIT

status=0
export QT_QPA_PLATFORM=offscreen
"$build/bench/customers/orvel-bench-customers" --rows "$rows" || status=1
# The other benchmarks bring their own run.sh (arguments: build folder, row count).
for run in "$root"/bench/*/run.sh; do
  [[ -f "$run" ]] || continue
  ORVEL_BENCH_BUILD="$build" bash "$run" "$build" "$rows" || status=1
done
exit "$status"
