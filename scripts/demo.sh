#!/usr/bin/env bash
# Runs the demo: installs what is missing, builds the program, starts the demo
# database (kept between runs in a per-user folder) and launches the program on
# its login page. Arguments are passed on to the program.
#   scripts/demo.sh --design [TEMPLATE]   opens the report designer instead, on a
#       template of the demo's orvel_data folder (default customer_list.fr3) with the
#       first 20 customers of the demo user admin as sample rows.
# Settings: ORVEL_BUILD_DIR (default build/ in the repository), ORVEL_DEMO_DIR
# (data folder, default ${XDG_DATA_HOME:-~/.local/share}/orvel-demo),
# CMAKE_BUILD_PARALLEL_LEVEL (build jobs).
set -euo pipefail

ROOT=$(cd "$(dirname "$0")/.." && pwd)
BUILD="${ORVEL_BUILD_DIR:-$ROOT/build}"
export ORVEL_DEMO_DIR="${ORVEL_DEMO_DIR:-${XDG_DATA_HOME:-$HOME/.local/share}/orvel-demo}"
PROGRAM_DIR="$ORVEL_DEMO_DIR/program"
EXE="$BUILD/src/app/orvel"

say() { echo "demo: $*" >&2; }

"$ROOT/scripts/install-deps.sh"

say "building in $BUILD"
cmake -S "$ROOT" -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build "$BUILD"
if [[ ! -x "$EXE" ]]; then
  say "the build did not produce $EXE"
  exit 1
fi

# The program folder of the demo: deployment file, settings file, the
# catalogued print-form templates (orvel_data) and the user forms (Orvel_User).
# Templates already there are kept, so forms edited in the demo survive a rebuild.
mkdir -p "$PROGRAM_DIR/orvel_data" "$PROGRAM_DIR/Orvel_User"
for templates in "$BUILD/src/app/orvel_data" "$BUILD/orvel_data" "$ROOT/data/orvel_data"; do
  if [[ -d "$templates" ]]; then
    cp -R -n "$templates/." "$PROGRAM_DIR/orvel_data/"
  fi
done

export ORVEL_DEPLOYMENT="$PROGRAM_DIR/deployment.ini"
export ORVEL_PROGRAM_DIR="$PROGRAM_DIR"
"$ROOT/scripts/demodb.sh" start "$ORVEL_DEPLOYMENT" >/dev/null

cat >&2 <<TEXT
demo: the demo database is running (stop it with scripts/demodb.sh stop).
demo: program folder $PROGRAM_DIR
demo: accounts (id / password):
        admin / admin       administrator, level 1: every column, administration pages
        kim   / kim1234     level 8, profile "영업": edits records by double-click
        lee   / lee1234     level 2, profile "조회": group, name, telephones
        park  / park1234    level 9: not approved, the login is refused
TEXT

if [[ -z "${DISPLAY:-}" && -z "${WAYLAND_DISPLAY:-}" && -z "${QT_QPA_PLATFORM:-}" ]]; then
  cat >&2 <<TEXT
demo: no display: neither DISPLAY nor WAYLAND_DISPLAY is set, so the program's
      window has nowhere to appear. Run scripts/demo.sh from a desktop session,
      over ssh with X forwarding (ssh -X), or through Qt's own VNC server:
        QT_QPA_PLATFORM=vnc:size=1280x800 scripts/demo.sh
      and point a VNC viewer at localhost:5900.
TEXT
  exit 1
fi

if [[ "${1:-}" == "--design" ]]; then
  template="$PROGRAM_DIR/orvel_data/${2:-customer_list.fr3}"
  say "designing $template"
  exec "$BUILD/src/tools/orvel-designer" "$template" --deployment "$ORVEL_DEPLOYMENT" \
    --sql "select * from ${ORVEL_DEMO_CUSTOMER_DB:-orvel_customers}_admin limit 0,20"
fi

say "starting $EXE"
exec "$EXE" "$@"
