#!/usr/bin/env bash
# Makes the Debian package from a build folder (cpack, installed under /usr)
# and checks it without installing it: its file name and control fields, the
# files it installs and nothing else, a stripped program, and dependencies
# that name the libraries the program links and the data it loads.
#
#   scripts/check-package.sh [build-dir]     (default: build)
#
# A build folder without a configuration is configured first (without the
# tests); only the program and its icons are built, nothing is rebuilt with
# other options.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}

./scripts/install-deps.sh
if [ ! -f "$build/CMakeCache.txt" ]; then
  cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE="${BUILD_TYPE:-RelWithDebInfo}" \
    -DPELMORA_BUILD_TESTS=OFF >/dev/null
fi
# Also brings the package's configuration up to date: cpack itself does not.
cmake --build "$build" --target pelmora pelmora_icon_images >/dev/null

version=$(sed -n 's/^project(PelmoraOrder VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
arch=$(dpkg --print-architecture)
deb="$build/pelmora_${version}_${arch}.deb"
rm -f "$deb"
if ! log=$(cd "$build" && cpack -G DEB 2>&1); then
  echo "$log" >&2
  echo "check-package: cpack failed" >&2
  exit 1
fi
if [ ! -f "$deb" ]; then
  echo "$log" >&2
  echo "check-package: cpack made no $deb" >&2
  exit 1
fi

failures=0
fail() {
  echo "check-package: $*" >&2
  failures=$((failures + 1))
}

field() { dpkg-deb -f "$deb" "$1"; }
[ "$(field Package)" = pelmora ] || fail "Package is '$(field Package)', not pelmora"
[ "$(field Version)" = "$version" ] || fail "Version is '$(field Version)', not $version"
[ "$(field Architecture)" = "$arch" ] || fail "Architecture is '$(field Architecture)', not $arch"
for name in Maintainer Section Priority Description; do
  [ -n "$(field "$name")" ] || fail "the $name field is empty"
done

# Depends as bare package names, one a line (versions and alternatives cut).
depends=$(field Depends | tr ',|' '\n' | sed 's/(.*)//; s/[[:space:]]//g' | grep -v '^$' || true)
# Names may carry Debian's "t64" suffix of the 64-bit time ABI.
for library in libqt6core6 libqt6gui6 libqt6widgets6 libqt6printsupport6 libqt6webenginewidgets6 \
    libsqlite3-0 libjpeg62-turbo libcurl4 libxlsxwriter4 libc6 libstdc++6 qt6-translations-l10n \
    fonts-liberation2; do
  grep -qx "$library\(t64\)\?" <<<"$depends" || fail "Depends lacks $library: $(field Depends)"
done

# Exactly these files, under /usr, owned by root.
expected=(usr/bin/pelmora usr/lib/pelmora/pelmora_htmlview.so usr/share/applications/pelmora.desktop
          usr/share/mime/packages/pelmora-order.xml
          usr/share/icons/hicolor/scalable/apps/pelmora.svg
          usr/share/icons/hicolor/scalable/mimetypes/application-x-pelmora-order.svg)
for size in 16 32 48 64 128 256; do
  expected+=("usr/share/icons/hicolor/${size}x${size}/apps/pelmora.png"
             "usr/share/icons/hicolor/${size}x${size}/mimetypes/application-x-pelmora-order.png")
done
listing=$(dpkg-deb -c "$deb")
files=$(awk '$1 !~ /^d/ { sub(/^\.\//, "", $6); print $6 }' <<<"$listing" | sort)
missing=$(comm -13 <(echo "$files") <(printf '%s\n' "${expected[@]}" | sort))
extra=$(comm -23 <(echo "$files") <(printf '%s\n' "${expected[@]}" | sort))
[ -z "$missing" ] || fail "files missing from the package: $(tr '\n' ' ' <<<"$missing")"
[ -z "$extra" ] || fail "files the package should not install: $(tr '\n' ' ' <<<"$extra")"
foreign=$(awk '$2 != "root/root" { print $6 }' <<<"$listing")
[ -z "$foreign" ] || fail "not owned by root: $(tr '\n' ' ' <<<"$foreign")"
grep -q '^-rwxr-xr-x .* \./usr/bin/pelmora$' <<<"$listing" || fail "usr/bin/pelmora is not executable"

program=$(dpkg-deb --fsys-tarfile "$deb" | tar -xOf - ./usr/bin/pelmora | file -b -)
[[ "$program" == ELF*executable* ]] || fail "usr/bin/pelmora is not a program: $program"
[[ "$program" == *", stripped"* ]] || fail "usr/bin/pelmora is not stripped: $program"

if [ "$failures" -ne 0 ]; then
  echo "check-package: $failures problem(s) in $deb" >&2
  exit 1
fi
echo "check-package: $deb has its files, fields and dependencies"
