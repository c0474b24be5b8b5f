#!/usr/bin/env bash
# Runs the report script benchmark; prints name=value lines.
# Usage: bench/script/run.sh [BUILD_DIR]   (default: build)
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
root="$(cd "$here/../.." && pwd)"
build="${1:-${BUILD_DIR:-$root/build}}"
exe="$build/bench/script/bench_script"
if [[ ! -x "$exe" ]]; then
  echo "bench/script: $exe not built" >&2
  exit 1
fi
QT_QPA_PLATFORM=offscreen "$exe"
