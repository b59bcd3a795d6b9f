#!/usr/bin/env bash
# Installs the program into a temporary prefix and checks the result: the
# executable and its HTML view module, the desktop entry (validated), the
# icons in every size, the order files' MIME type and that the desktop entry
# opens them, that the executable needs only the system's shared libraries
# and not the browser engine, and that the installed program starts.
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
cmake --build "$build" --target pelmora pelmora_htmlview pelmora_icon_images >/dev/null

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

# The order files' MIME type and the desktop entry's claim on it, indexed as
# the system indexes them on installation (update-mime-database,
# update-desktop-database). GLib then answers for the file manager: an order
# file, even with binary content, is of that type, shows the order icon and
# opens with the program. The system's own types stay in the search path, so
# a clash with one of them shows; the user's own folders stay out of it.
mkdir -p "$scratch/home" "$scratch/config" "$scratch/data" "$scratch/runtime"
chmod 700 "$scratch/runtime"
in_prefix() {
  env -i PATH="$prefix/bin:/usr/bin:/bin" HOME="$scratch/home" XDG_CONFIG_HOME="$scratch/config" \
    XDG_DATA_HOME="$scratch/data" XDG_DATA_DIRS="$prefix/share:/usr/share" GIO_USE_VFS=local "$@"
}
mime_type=application/x-pelmora-order
if [ -f "$prefix/share/mime/packages/pelmora-order.xml" ]; then
  if ! mime_errors=$(in_prefix update-mime-database "$prefix/share/mime" 2>&1) \
      || [ -n "$mime_errors" ]; then
    fail "update-mime-database rejects the MIME package: $mime_errors"
  fi
  grep -qx "[0-9]*:$mime_type:\*\.order" "$prefix/share/mime/globs2" \
    || fail "the compiled MIME database has no *.order glob for $mime_type"
  grep -q '<comment xml:lang="ru">' "$prefix/share/mime/$mime_type.xml" 2>/dev/null \
    || fail "the MIME type has no Russian comment"
  printf '\002\000\000\000\000\377' >"$scratch/x.order"
  info=$(in_prefix gio info -a standard::content-type,standard::icon "$scratch/x.order" 2>&1) || true
  type=$(sed -n 's/^ *standard::content-type: //p' <<<"$info")
  [ "$type" = "$mime_type" ] || fail "x.order is taken for '${type:-nothing}', not $mime_type"
  icons=$(sed -n 's/^ *standard::icon: //p' <<<"$info")
  [[ "$icons" == application-x-pelmora-order,* ]] || fail "x.order gets the icons '$icons'"
  [ -f "$prefix/share/icons/hicolor/scalable/mimetypes/application-x-pelmora-order.svg" ] \
    || fail "the order files' icon is missing"
else
  fail "share/mime/packages/pelmora-order.xml is missing"
fi
if [ -f "$desktop" ]; then
  grep -qx "MimeType=$mime_type;" "$desktop" || fail "the desktop entry does not declare $mime_type"
  grep -Eq '^Exec=pelmora %f$' "$desktop" || fail "the desktop entry does not pass the file (%f)"
  in_prefix update-desktop-database "$prefix/share/applications" \
    || fail "update-desktop-database rejects the desktop entry"
  apps=$(in_prefix gio mime "$mime_type" 2>&1) || true
  grep -q "^[[:space:]]*pelmora\.desktop\$" <<<"$apps" \
    || fail "pelmora.desktop is not registered for $mime_type: $apps"
fi

# Every library the program loads must come from the system's own folders.
if [ -x "$prefix/bin/pelmora" ]; then
  libraries=$(ldd "$prefix/bin/pelmora")
  if grep -q 'not found' <<<"$libraries"; then
    fail "unresolved libraries: $(grep 'not found' <<<"$libraries" | tr -s ' \t' ' ')"
  fi
  foreign=$(awk '$2 == "=>" && $3 !~ /^\/(usr\/)?lib(64|32|x32)?\// { print $3 }' <<<"$libraries")
  [ -z "$foreign" ] || fail "libraries from outside the system folders: $foreign"
  # The browser engine comes with the HTML view module, never at start.
  if grep -q 'libQt6WebEngine' <<<"$libraries"; then
    fail "the executable links the browser engine: $(grep -o 'libQt6WebEngine[^ ]*' <<<"$libraries" | tr '\n' ' ')"
  fi
  # The HTTP library is opened at run time, on a helper thread, so it must
  # not be linked but must be there to be found.
  if grep -q 'libcurl' <<<"$libraries"; then
    fail "the executable links the HTTP library: $(grep -o 'libcurl[^ ]*' <<<"$libraries" | tr '\n' ' ')"
  fi
  # The spreadsheet library, with the zip and crypto libraries it brings, is
  # opened by the first export to a workbook, never at start.
  if grep -q 'libxlsxwriter' <<<"$libraries"; then
    fail "the executable links the spreadsheet library: $(grep -o 'libxlsxwriter[^ ]*' <<<"$libraries" | tr '\n' ' ')"
  fi
  # Qt Network, and the TLS, Kerberos and proxy libraries it brings, would
  # only add to every start: the single-instance socket uses the system's.
  if grep -q 'libQt6Network' <<<"$libraries"; then
    fail "the executable links Qt Network"
  fi
  cache=$(/sbin/ldconfig -p)
  grep -q 'libcurl\.so\.4 ' <<<"$cache" || fail "libcurl.so.4, which the program opens, is not installed"
  grep -q 'libxlsxwriter\.so\.4 ' <<<"$cache" \
    || fail "libxlsxwriter.so.4, which the program opens, is not installed"
fi
module="$prefix/lib/pelmora/pelmora_htmlview.so"
if [ -f "$module" ]; then
  module_libraries=$(ldd "$module")
  if grep -q 'not found' <<<"$module_libraries"; then
    fail "the HTML view module lacks: $(grep 'not found' <<<"$module_libraries" | tr -s ' \t' ' ')"
  fi
else
  fail "lib/pelmora/pelmora_htmlview.so, the HTML view module, is missing"
fi
if [ -x "$prefix/bin/pelmora" ]; then
  # The program asks for the euro rate first and waits in that dialog, so
  # the timeout ending it means it started. Its home is a scratch folder and
  # its HTTP requests go to a closed local port, never to the internet.
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
echo "check-install: installed files, desktop entry, MIME type and start-up are fine"
