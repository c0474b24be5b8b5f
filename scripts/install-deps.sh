#!/usr/bin/env bash
# Installs every Debian 12 package needed to build, test and run the program.
# Idempotent: does nothing when everything is already present.
set -euo pipefail

PACKAGES=(
  build-essential cmake ninja-build ccache pkg-config clang-format
  qt6-base-dev qt6-base-dev-tools qt6-5compat-dev qt6-svg-dev
  qt6-l10n-tools libgl-dev
  libmariadb-dev mariadb-server mariadb-client
  fonts-nanum fonts-nanum-coding
  poppler-utils xvfb xauth dbus-x11 locales
  glabels-data
  libcups2-dev cups cups-client printer-driver-cups-pdf
  libzint-dev zbar-tools
)

missing=()
for p in "${PACKAGES[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if ((${#missing[@]} == 0)); then
  echo "install-deps: all packages present"
  exit 0
fi

SUDO=""
if [[ $(id -u) -ne 0 ]]; then SUDO="sudo"; fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -q
$SUDO apt-get install -y -q --no-install-recommends "${missing[@]}"
# The distribution's database service must not hold the default port or data; tests
# and the demo run their own server processes. (The tests' print server listens on a
# socket of its own, so the system's CUPS stays as it is for real printers.)
if command -v systemctl >/dev/null 2>&1; then
  $SUDO systemctl disable --now mariadb >/dev/null 2>&1 || true
fi
echo "install-deps: installed ${missing[*]}"
