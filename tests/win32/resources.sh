#!/usr/bin/env bash
# Usage: resources.sh PROGRAM.exe LAYOUT_TXT VERSION
# What the built program file carries, read back from the file itself: the
# icon Explorer shows, the version record, the manifest that makes Windows
# hand it the real DPI rather than stretch its window, and both pictures it
# paints, each at its size (a missing one would leave the window blank).
set -euo pipefail
exe=$1 layout=$2 version=$3
[ -f "$exe" ] || { echo "FAIL: no $exe (it is built with the tests)" >&2; exit 1; }
command -v wrestool >/dev/null || { echo "FAIL: no wrestool (Debian: icoutils)" >&2; exit 1; }
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT

failed=0
check() {
    local what=$1
    shift
    if "$@"; then
        echo "ok: $what"
    else
        echo "FAIL: $what" >&2
        failed=1
    fi
}

list=$(wrestool -l "$exe")
sed 's/^/resource: /' <<<"$list"
listed() {
    grep -q -- "$1" <<<"$list"
}

check "icon group IDI_ICON1" listed "--type=14 --name='IDI_ICON1'"
wrestool -x -t 14 -n IDI_ICON1 -o "$out/icon.ico" "$exe" 2>/dev/null || true
images=$(icotool -l "$out/icon.ico" 2>/dev/null |
    sed -nE 's/.*--width=([0-9]+) .*--bit-depth=([0-9]+).*/\1\/\2/p' | tr '\n' ' ')
check "icon images '$images' are 16/24/32 at 8 bits and 16/24/32/48 at 32" \
    test "$images" = "16/8 24/8 32/8 16/32 24/32 32/32 48/32 "

check "version record" listed "--type=16 --name=1 "
wrestool -x --raw -t 16 "$exe" 2>/dev/null | iconv -f UTF-16LE -t UTF-8 2>/dev/null | tr -c '[:print:]' ' ' \
    >"$out/version.txt" || true
check "version record of $version" grep -qE "FileVersion +$version +" "$out/version.txt"

# The loader reads a program's manifest only under ID 1.
check "manifest with ID 1" listed "--type=24 --name=1 "
wrestool -x --raw -t 24 -n 1 "$exe" >"$out/manifest.xml" 2>/dev/null || true
check "manifest asks for per-monitor DPI (Windows 8.1)" grep -qE '<dpiAware [^>]*>true/pm<' "$out/manifest.xml"
check "manifest asks for per-monitor v2 DPI (Windows 10)" \
    grep -qE '<dpiAwareness [^>]*>PerMonitorV2[,<]' "$out/manifest.xml"

read -r width height < <(awk '$1 == "picture" { print $2, $3 }' "$layout")
for picture in "BACKGROUND 1" "BACKGROUND_2X 2"; do
    read -r name factor <<<"$picture"
    check "picture $name" listed "--type=10 --name='$name' "
    wrestool -x --raw -t 10 -n "$name" -o "$out/$name" "$exe" 2>/dev/null || true
    found=$(identify -format '%m %wx%h' "$out/$name" 2>/dev/null || true)
    check "picture $name is '$found', a PNG of $((width * factor))x$((height * factor))" \
        test "$found" = "PNG $((width * factor))x$((height * factor))"
done
exit "$failed"
