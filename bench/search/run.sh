#!/usr/bin/env bash
# Runs the search benchmark on the running test database; prints name=value lines.
# Usage: bench/search/run.sh [BUILD_DIR] [ROWS]
#   BUILD_DIR defaults to $ORVEL_BENCH_BUILD, else build; ROWS to 1000000.
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
root="$(cd "$here/../.." && pwd)"
build="${1:-${ORVEL_BENCH_BUILD:-$root/build}}"
rows="${2:-1000000}"
exe="$build/bench/search/orvel-bench-search"
if [[ ! -x "$exe" ]]; then
  echo "bench/search: $exe not built" >&2
  exit 1
fi
QT_QPA_PLATFORM=offscreen "$exe" --rows "$rows"
