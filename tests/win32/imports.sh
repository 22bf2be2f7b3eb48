#!/usr/bin/env bash
# Usage: imports.sh OBJDUMP PROGRAM.exe MAX_BYTES DLL...
# The program is one file that runs on a bare Windows: it may import only the
# listed system DLLs (anything else would have to be shipped beside it or
# would stop it from starting), and it stays small enough to download at once.
set -euo pipefail
objdump=$1 exe=$2 max_bytes=$3
shift 3
[ -f "$exe" ] || { echo "FAIL: no $exe (it is built with the tests)" >&2; exit 1; }

failed=0
size=$(stat -c %s "$exe")
echo "size: $size bytes (at most $max_bytes)"
if [ "$size" -gt "$max_bytes" ]; then
    echo "FAIL: $(basename "$exe") is $size bytes, over $max_bytes" >&2
    failed=1
fi

allowed=" ${*,,} "
mapfile -t imports < <("$objdump" -p "$exe" | sed -n 's/^\s*DLL Name: //p' | tr -d '\r')
[ ${#imports[@]} -gt 0 ] || { echo "FAIL: objdump found no import table in $exe" >&2; exit 1; }
for dll in "${imports[@]}"; do
    name=${dll,,}
    if [[ $allowed == *" ${name%.dll} "* ]]; then
        echo "imports: $dll"
    else
        echo "FAIL: imports $dll, which is not one of:$allowed" >&2
        failed=1
    fi
done
exit "$failed"
