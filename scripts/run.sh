#!/usr/bin/env bash
# Installs what is missing, builds the program and starts it. On the first
# run a demo catalogue is made where the program looks for its catalogue,
# ~/PelmoraDB/telvarin.db with its pictures in ~/PelmoraDB/img/.
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD_TARGETS="pelmora make_demo_catalogue" ./scripts/build.sh
if [ ! -e "$HOME/PelmoraDB/telvarin.db" ] && [ -x build/tools/make_demo_catalogue ]; then
  mkdir -p "$HOME/PelmoraDB"
  build/tools/make_demo_catalogue "$HOME/PelmoraDB"
fi
exec build/pelmora
