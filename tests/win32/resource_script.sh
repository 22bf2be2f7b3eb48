#!/usr/bin/env bash
# Usage: resource_script.sh WINDRES RC_FILE GENERATED_DIR Key=Value...
# Compiles the program file's resource script as a Windows build would, then
# reads the result back with windres itself and checks what Explorer shows:
# the icon group's seven images and the Chinese (PRC) version record.
set -euo pipefail
windres=$1 rc=$2 generated=$3
shift 3
if [ -z "$windres" ] || [ ! -x "$windres" ]; then
    echo "SKIP: x86_64-w64-mingw32-windres is not installed (Debian: mingw-w64)" >&2
    exit 77
fi
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
"$windres" --input-format=rc --output-format=res -I "$generated" "$rc" "$out/vellumino.res"
"$windres" --input-format=res --output-format=rc "$out/vellumino.res" "$out/back.rc"

failed=0
expect() {
    if grep -qF -- "$1" "$out/back.rc"; then
        echo "ok: $1"
    else
        echo "FAIL: no $1 in the compiled resources" >&2
        failed=1
    fi
}

expect 'BLOCK "080404b0"'
expect 'VALUE "Translation", 0x804, 1200'
for pair in "$@"; do
    expect "VALUE \"${pair%%=*}\", \"${pair#*=}\""
done

# Each group element reads "\WWW\HHH\000\000", planes, bits, ... with the
# width in octal: list them as width/bits.
images=$(grep -F 'Element no' "$out/back.rc" |
    sed -E 's/^ *"\\([0-7]+)\\[0-7]+\\[0-7]+\\[0-7]+", *[0-9]+, *([0-9]+),.*/\1 \2/' |
    while read -r width bits; do echo "$((8#$width))/$bits"; done | tr '\n' ' ')
if [ "$images" = "16/8 24/8 32/8 16/32 24/32 32/32 48/32 " ]; then
    echo "ok: icon images $images"
else
    echo "FAIL: icon images are '$images', expected 16/24/32 at 8 bits and 16/24/32/48 at 32" >&2
    failed=1
fi
exit "$failed"
