#!/usr/bin/env bash
# Runs the print benchmark on the running test database; prints name=value lines.
# Usage: bench/printing/run.sh [BUILD_DIR]   (rows: $ORVEL_BENCH_PRINT_ROWS, default 100000)
# The comparison needs LibreOffice (soffice); scripts/bench.sh installs it.
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
root="$(cd "$here/../.." && pwd)"
build="${1:-${ORVEL_BENCH_BUILD:-$root/build}}"
rows="${ORVEL_BENCH_PRINT_ROWS:-100000}"
exe="$build/bench/printing/orvel-bench-printing"
if [[ ! -x "$exe" ]]; then
  echo "bench/printing: $exe not built" >&2
  exit 1
fi
QT_QPA_PLATFORM=offscreen "$exe" --rows "$rows"
