#!/usr/bin/env bash
# Installs what is needed, builds, starts the throwaway test database, runs every test
# and stops the database again. Exits non-zero when anything fails.
#   scripts/test.sh [--sanitize] [ctest arguments...]
set -euo pipefail
cd "$(dirname "$0")/.."

BUILD_DIR="${ORVEL_BUILD_DIR:-build}"
CMAKE_ARGS=(-DCMAKE_BUILD_TYPE=RelWithDebInfo)
if [[ "${1:-}" == "--sanitize" ]]; then
  shift
  BUILD_DIR="${ORVEL_BUILD_DIR:-build-asan}"
  CMAKE_ARGS=(-DCMAKE_BUILD_TYPE=Debug -DORVEL_SANITIZE=ON)
fi

bash scripts/install-deps.sh
cmake -S . -B "$BUILD_DIR" -G Ninja "${CMAKE_ARGS[@]}"
cmake --build "$BUILD_DIR" -j "$(nproc)"

started_db=0
if ! bash scripts/testdb.sh env >/dev/null 2>&1; then
  started_db=1
fi
eval "$(bash scripts/testdb.sh start)"
# The print tests need the private print server; without it (not root) they skip.
started_cups=0
if ! bash scripts/testcups.sh env >/dev/null 2>&1; then
  started_cups=1
fi
if cups_env=$(bash scripts/testcups.sh start); then
  eval "$cups_env"
else
  started_cups=0
  echo "test.sh: no private print server; the real-printer tests will be skipped" >&2
fi
cleanup() {
  if [[ $started_db -eq 1 ]]; then bash scripts/testdb.sh stop || true; fi
  if [[ $started_cups -eq 1 ]]; then bash scripts/testcups.sh stop || true; fi
}
trap cleanup EXIT

export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=0}"
ctest --test-dir "$BUILD_DIR" --output-on-failure -j "$(nproc)" "$@"
