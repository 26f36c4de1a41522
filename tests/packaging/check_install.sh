#!/usr/bin/env bash
# Installs the build into a temporary prefix and checks that every file lands where a desktop
# looks for it, that the menu entry and the metainfo validate, and that the installed program
# answers --version. Skips (status 77) when a validator is not installed. MODULE, given when the
# build has the Wayland screen source, is where its module is expected under the prefix.
# Usage: check_install.sh BUILD_DIR VERSION [MODULE]
set -euo pipefail
build=$1
version=$2
module=${3:-}
for tool in desktop-file-validate appstreamcli; do
  command -v "$tool" >/dev/null || { echo "skipped: $tool is not installed (scripts/setup)"; exit 77; }
done
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
cmake --install "$build" --prefix "$prefix" >/dev/null

id=org.tintwell.Tintwell
expected=(
  bin/tintwell
  share/applications/$id.desktop
  share/metainfo/$id.metainfo.xml
  share/icons/hicolor/scalable/apps/$id.svg
  share/man/man1/tintwell.1.gz
  share/doc/tintwell/copyright
  share/doc/tintwell/changelog.gz
)
for size in 16 22 24 32 48 64 128 256; do
  expected+=("share/icons/hicolor/${size}x${size}/apps/$id.png")
done
[ -z "$module" ] || expected+=("$module")
for f in "${expected[@]}"; do
  [ -s "$prefix/$f" ] || { echo "FAIL: $f is missing"; exit 1; }
done
# Every icon is the size its folder says.
for size in 16 22 24 32 48 64 128 256; do
  got=$(identify -format '%wx%h' "$prefix/share/icons/hicolor/${size}x${size}/apps/$id.png")
  [ "$got" = "${size}x${size}" ] || { echo "FAIL: the ${size}px icon is $got"; exit 1; }
done
# Nothing else is installed (no test or benchmark programs, no other libraries, no headers).
extra=$(cd "$prefix" && find . -type f | sed 's|^\./||' | sort | comm -23 - <(printf '%s\n' "${expected[@]}" | sort))
[ -z "$extra" ] || { echo "FAIL: unexpected files installed:"; echo "$extra"; exit 1; }

desktop-file-validate "$prefix/share/applications/$id.desktop" | grep -v '^.*: hint: ' || true
desktop-file-validate "$prefix/share/applications/$id.desktop" >/dev/null
appstreamcli validate --no-net "$prefix/share/metainfo/$id.metainfo.xml" >/dev/null
grep -q "<release version=\"$version\"" "$prefix/share/metainfo/$id.metainfo.xml" ||
  { echo "FAIL: the metainfo's release is not $version"; exit 1; }
zcat "$prefix/share/man/man1/tintwell.1.gz" | grep -q "^\.TH TINTWELL 1" || { echo "FAIL: man page"; exit 1; }
got=$(env -u DISPLAY "$prefix/bin/tintwell" --version)
[ "$got" = "tintwell $version" ] || { echo "FAIL: --version says '$got'"; exit 1; }
echo "install: ${#expected[@]} files in place, entry and metainfo valid, $got"
