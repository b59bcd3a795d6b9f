#!/usr/bin/env bash
# Builds the program and its tests with AddressSanitizer and
# UndefinedBehaviorSanitizer (g++) into build-asan/ and runs the whole test
# suite there. Any sanitizer report, leaks included, fails its test.
#
#   scripts/sanitize.sh                 every test
#   scripts/sanitize.sh -V              extra arguments go to both ctest runs
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/install-deps.sh
cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_COMPILER=g++ \
  -DPELMORA_SANITIZE=ON >/dev/null
cmake --build build-asan -j"$(nproc)"

# The tests own their home folders.
source scripts/scratch-home.sh

# Every report is fatal. The suppressions cover leaks inside system libraries
# only (see the file).
asan="halt_on_error=1:detect_leaks=1:check_initialization_order=1:detect_stack_use_after_return=1"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"
export LSAN_OPTIONS="suppressions=$PWD/fuzz/lsan.supp:print_suppressions=0"

# The tests that show an order document load Qt WebEngine, whose Chromium
# code frees some of its own objects with a sized delete of a base class
# (allocated and freed inside libQt6WebEngineCore, when a page is destroyed).
# Those tests run with that one check off; every other check, leaks
# included, stays on for them, and all other tests run with every check.
webengine_tests='^(PreviewWindow_test|OrderCompletion_test)$'
# The end-to-end test runs the real program on a real X display, where the
# X11 platform's system libraries (D-Bus, GL drivers unloaded at exit) leave
# allocations that cannot be told apart by library name; it runs with the
# browser's check off and without the leak check, which every other test keeps.
end_to_end='^e2e_order_flow$'

status=0
ASAN_OPTIONS="$asan" ctest --test-dir build-asan --output-on-failure -j"$(nproc)" \
  -E "$webengine_tests|$end_to_end" "$@" || status=1
ASAN_OPTIONS="$asan:new_delete_type_mismatch=0" ctest --test-dir build-asan \
  --output-on-failure -j"$(nproc)" -R "$webengine_tests" "$@" || status=1
ASAN_OPTIONS="$asan:new_delete_type_mismatch=0:detect_leaks=0" ctest --test-dir build-asan \
  --output-on-failure -R "$end_to_end" "$@" || status=1
exit $status
