#!/usr/bin/env bash
# Configures and builds the program, the tools and the tests into build/.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE="${BUILD_TYPE:-RelWithDebInfo}" "$@" >/dev/null
# BUILD_TARGETS limits the build, e.g. to the program alone.
# shellcheck disable=SC2086
cmake --build build -j"$(nproc)" --target ${BUILD_TARGETS:-all}
