#!/usr/bin/env bash
# Checks the shape of the sources: the core library includes no widget
# header (Qt Widgets, Print Support, WebEngine Widgets), no file under src/
# is over 400 lines and no function over 60. Prints every violation and
# fails when there is one.
set -euo pipefail
cd "$(dirname "$0")/.."
exec python3 scripts/check-structure.py "$@"
