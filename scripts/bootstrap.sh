#!/usr/bin/env bash
# Installs what the build, the tests and the program need, only what is missing.
set -euo pipefail

packages=(
  build-essential cmake pkg-config git
  qt6-base-dev qt6-base-dev-tools qt6-qpa-plugins libgl-dev
  mdbtools mdbtools-dev libglib2.0-dev
  libsqlite3-dev libzip-dev
  fonts-liberation fontconfig
  xvfb xauth xclip libxcb1-dev libxcb-xfixes0-dev
  libhamlib-dev libhamlib-utils
  at-spi2-core python3-pyatspi xdotool
  qt6-websockets-dev
  poppler-utils
  dpkg-dev file lintian desktop-file-utils appstream groff-base man-db
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

echo "Installing: ${missing[*]}"
SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
