#!/usr/bin/env bash
# Installs the program into a temporary prefix and checks the result: the
# executable, the desktop entry (validated), the icons in every size, that
# the executable needs only the system's shared libraries, and that the
# installed program starts.
#
#   scripts/check-install.sh [build-dir]     (default: build)
#
# A build folder without a configuration is configured first (without the
# tests); only the program and its icons are built.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}

./scripts/install-deps.sh
if [ ! -f "$build/CMakeCache.txt" ]; then
  cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE="${BUILD_TYPE:-RelWithDebInfo}" \
    -DPELMORA_BUILD_TESTS=OFF >/dev/null
fi
cmake --build "$build" --target pelmora pelmora_icon_images >/dev/null

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
prefix="$scratch/prefix"
cmake --install "$build" --prefix "$prefix" >/dev/null

failures=0
fail() {
  echo "check-install: $*" >&2
  failures=$((failures + 1))
}

[ -x "$prefix/bin/pelmora" ] || fail "bin/pelmora is missing or not executable"
desktop="$prefix/share/applications/pelmora.desktop"
if [ -f "$desktop" ]; then
  desktop-file-validate "$desktop" || fail "the desktop entry does not validate"
else
  fail "share/applications/pelmora.desktop is missing"
fi
[ -f "$prefix/share/icons/hicolor/scalable/apps/pelmora.svg" ] || fail "the scalable icon is missing"

# A PNG's width and height are the big-endian words at offsets 16 and 20.
png_size() {
  od -An -tu1 -j16 -N8 "$1" | awk '{ printf "%dx%d", $1*16777216+$2*65536+$3*256+$4, $5*16777216+$6*65536+$7*256+$8 }'
}
for size in 16 32 48 64 128 256; do
  png="$prefix/share/icons/hicolor/${size}x${size}/apps/pelmora.png"
  if [ ! -f "$png" ]; then
    fail "the ${size}x${size} icon is missing"
  elif [ "$(png_size "$png")" != "${size}x${size}" ]; then
    fail "the ${size}x${size} icon measures $(png_size "$png")"
  fi
done

# Every library the program loads must come from the system's own folders.
if [ -x "$prefix/bin/pelmora" ]; then
  libraries=$(ldd "$prefix/bin/pelmora")
  if grep -q 'not found' <<<"$libraries"; then
    fail "unresolved libraries: $(grep 'not found' <<<"$libraries" | tr -s ' \t' ' ')"
  fi
  foreign=$(awk '$2 == "=>" && $3 !~ /^\/(usr\/)?lib(64|32|x32)?\// { print $3 }' <<<"$libraries")
  [ -z "$foreign" ] || fail "libraries from outside the system folders: $foreign"

  # The program asks for the euro rate first and waits in that dialog, so
  # the timeout ending it means it started. Its home is a scratch folder and
  # its HTTP requests go to a closed local port, never to the internet.
  mkdir -p "$scratch/home" "$scratch/config" "$scratch/data" "$scratch/runtime"
  chmod 700 "$scratch/runtime"
  status=0
  env HOME="$scratch/home" XDG_CONFIG_HOME="$scratch/config" XDG_DATA_HOME="$scratch/data" \
    XDG_RUNTIME_DIR="$scratch/runtime" QT_QPA_PLATFORM=offscreen LANG=C.UTF-8 \
    QTWEBENGINE_CHROMIUM_FLAGS="--no-sandbox --disable-gpu" \
    http_proxy=http://127.0.0.1:9 https_proxy=http://127.0.0.1:9 \
    HTTP_PROXY=http://127.0.0.1:9 HTTPS_PROXY=http://127.0.0.1:9 ALL_PROXY= NO_PROXY= no_proxy= \
    timeout -k 2 "${LAUNCH_SECONDS:-5}" "$prefix/bin/pelmora" >"$scratch/launch.log" 2>&1 || status=$?
  if [ "$status" -ne 124 ]; then
    fail "the installed program ended with status $status instead of running on"
    sed 's/^/  | /' "$scratch/launch.log" >&2
  fi
fi

if [ "$failures" -ne 0 ]; then
  echo "check-install: $failures problem(s)" >&2
  exit 1
fi
echo "check-install: installed files, desktop entry and start-up are fine"
