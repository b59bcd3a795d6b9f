#!/usr/bin/env bash
# Installs what is missing, builds from scratch and runs every test: the unit,
# widget and end-to-end tests, the installation and the Debian package, a
# short run of every fuzz target, and the whole suite again under
# AddressSanitizer and UndefinedBehaviorSanitizer. The sources' shape is
# checked after the tests; a violation fails the run at the end.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/build.sh
# The tests own their home folders.
source scripts/scratch-home.sh
ctest --test-dir build --output-on-failure -j"$(nproc)"

# No widget header in the core library, no file or function too long.
structure=0
./scripts/check-structure.sh || structure=1

# The installed program: its files, its desktop entry, its MIME type, and
# that it starts.
./scripts/check-install.sh build
# The Debian package of the same build: its files, fields and dependencies.
./scripts/check-package.sh build

# Bad input tried on purpose, briefly; `scripts/fuzz.sh 600` runs longer.
./scripts/fuzz.sh 10

./scripts/sanitize.sh
exit $structure
