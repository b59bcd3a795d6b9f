#!/usr/bin/env bash
# Builds the fuzz targets (clang++ with libFuzzer, AddressSanitizer and
# UndefinedBehaviorSanitizer) into build-fuzz/ and runs each one on a copy of
# its seed corpus in fuzz/corpus/. Fails on any crash, leak, sanitizer report,
# broken invariant, time-out or memory excess.
#
#   scripts/fuzz.sh            every target for 10 seconds
#   scripts/fuzz.sh 600        every target for 600 seconds
#   scripts/fuzz.sh 60 fuzz_jpeg fuzz_catalogue   only those targets
#
# The inputs a run finds are kept in its temporary folder only, so the
# repository stays as it was; a failing input is copied to
# build-fuzz/findings/ to be turned into a regression test.
set -euo pipefail
cd "$(dirname "$0")/.."

seconds="${1:-10}"
shift || true
if ! [[ "$seconds" =~ ^[0-9]+$ ]] || [ "$seconds" -eq 0 ]; then
  echo "usage: $0 [seconds per target] [target...]" >&2
  exit 2
fi

targets=(fuzz_order_file fuzz_euro_rate fuzz_update_file fuzz_ini_file
         fuzz_picture_list fuzz_jpeg fuzz_catalogue fuzz_utf8)
if [ $# -gt 0 ]; then targets=("$@"); fi

./scripts/install-deps.sh
cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_CXX_COMPILER=clang++ -DPELMORA_FUZZ=ON -DPELMORA_BUILD_TESTS=OFF >/dev/null
cmake --build build-fuzz -j"$(nproc)" --target "${targets[@]}"

scratch=$(mktemp -d)
# The targets write every input to a file under TMPDIR. On a disk file system
# rewriting a file in place waits for the disk each time, so memory is used
# when the machine offers it.
inputs=$(mktemp -d -p /dev/shm 2>/dev/null || mktemp -d -p "$scratch")
trap 'rm -rf "$scratch" "$inputs"' EXIT
# HOME and the XDG folders keep anything else away from the user's real ones.
export TMPDIR="$inputs" HOME="$scratch/home" XDG_CONFIG_HOME="$scratch/config"
export XDG_DATA_HOME="$scratch/data" XDG_RUNTIME_DIR="$scratch/runtime"
mkdir -p "$HOME" "$XDG_CONFIG_HOME" "$XDG_DATA_HOME" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"
export ASAN_OPTIONS="halt_on_error=1:detect_leaks=1:abort_on_error=1:symbolize=1"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"
export LSAN_OPTIONS="suppressions=$PWD/fuzz/lsan.supp:print_suppressions=0"

failed=()
for target in "${targets[@]}"; do
  corpus="fuzz/corpus/${target#fuzz_}"
  work="$scratch/corpus/$target"
  mkdir -p "$work" "$scratch/artifacts/$target"
  if [ -d "$corpus" ]; then cp "$corpus"/* "$work"/; fi
  echo "== $target: ${seconds}s"
  if ! "build-fuzz/fuzz/$target" "$work" \
      -max_total_time="$seconds" -timeout=30 -rss_limit_mb=2048 -max_len=65536 \
      -artifact_prefix="$scratch/artifacts/$target/" -print_final_stats=1 \
      >"$scratch/$target.log" 2>&1; then
    failed+=("$target")
    tail -n 60 "$scratch/$target.log"
    mkdir -p build-fuzz/findings
    cp -v "$scratch/artifacts/$target"/* build-fuzz/findings/ 2>/dev/null || true
  else
    grep -E '^stat::number_of_executed_units|^Done' "$scratch/$target.log" || true
  fi
done

if [ ${#failed[@]} -gt 0 ]; then
  echo "FAILED: ${failed[*]}"
  exit 1
fi
echo "All ${#targets[@]} fuzz targets ran ${seconds}s each without a finding."
