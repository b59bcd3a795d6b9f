#!/usr/bin/env bash
# Installs the Debian packages needed to build, run and test the program.
# Only missing packages are installed, so a second run is quick.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-base-dev-tools qt6-webengine-dev qt6-translations-l10n
  libgl-dev libsqlite3-dev libjpeg62-turbo-dev libcurl4-openssl-dev
  sqlite3
  libc-l10n
  libgtest-dev googletest
  fonts-liberation2
  xvfb xauth xdotool xclip python3
  clang libclang-rt-14-dev
  librsvg2-bin desktop-file-utils
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
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
