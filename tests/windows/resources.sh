#!/usr/bin/env bash
# Usage: resources.sh WINDRES RES_CHECK RC_FILE GENERATED_DIR RES_CHECK_ARGS...
# Compiles the program file's resource script as a Windows build would and
# checks the icon and version record in the result.
set -euo pipefail
windres=$1 checker=$2 rc=$3 generated=$4
shift 4
if [ -z "$windres" ] || [ ! -x "$windres" ]; then
    echo "SKIP: x86_64-w64-mingw32-windres is not installed (Debian: mingw-w64)" >&2
    exit 77
fi
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
"$windres" --input-format=rc --output-format=res -I "$generated" "$rc" "$out/vellumino.res"
"$checker" "$out/vellumino.res" "$@"
