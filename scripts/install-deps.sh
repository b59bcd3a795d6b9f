#!/usr/bin/env bash
# Installs the Debian packages needed to build, run and test the program, and
# generates the Russian locale the tests run under. Only what is missing is
# installed or generated, so a second run is quick.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-base-dev-tools qt6-webengine-dev qt6-translations-l10n
  libgl-dev libsqlite3-dev libjpeg62-turbo-dev libcurl4-openssl-dev libxlsxwriter-dev
  libfontconfig-dev
  sqlite3
  libc-l10n
  libgtest-dev googletest
  fonts-liberation2
  xvfb xauth xdotool xclip python3
  clang libclang-rt-14-dev
  librsvg2-bin desktop-file-utils shared-mime-info libglib2.0-bin
  dpkg-dev file
  locales
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi

if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  $SUDO apt-get update -qq
  $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

# Our users run under ru_RU.UTF-8, and so do the tests; they refuse to run
# when the locale is missing rather than pass under another one.
if ! locale -a 2>/dev/null | grep -qix 'ru_RU\.utf-\?8'; then
  echo "Generating the locale ru_RU.UTF-8"
  if grep -q '^# *ru_RU\.UTF-8 UTF-8' /etc/locale.gen 2>/dev/null; then
    $SUDO sed -i 's/^# *\(ru_RU\.UTF-8 UTF-8\)/\1/' /etc/locale.gen
  elif ! grep -q '^ru_RU\.UTF-8 UTF-8' /etc/locale.gen 2>/dev/null; then
    echo 'ru_RU.UTF-8 UTF-8' | $SUDO tee -a /etc/locale.gen >/dev/null
  fi
  $SUDO locale-gen
fi
