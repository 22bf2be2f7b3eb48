#!/usr/bin/env bash
# Usage: sources.sh MINGW_G++ SOURCE_DIR FLAGS...
# Every Windows-only source file (*_win.cpp) compiles for Windows, with and
# without UNICODE (Qt's targets define it, plain ones do not).
set -euo pipefail
cxx=$1 source_dir=$2
shift 2
if [ -z "$cxx" ] || [ ! -x "$cxx" ]; then
    echo "SKIP: x86_64-w64-mingw32-g++ is not installed (Debian: mingw-w64)" >&2
    exit 77
fi

includes=()
for dir in styling platform actions app; do
    [ -d "$source_dir/$dir" ] && includes+=(-I "$source_dir/$dir")
done

mapfile -t sources < <(find "$source_dir" -path "$source_dir/build" -prune -o -path "$source_dir/.git" -prune \
    -o -name '*_win.cpp' -type f -print | sort)
[ ${#sources[@]} -gt 0 ] || { echo "FAIL: no *_win.cpp found under $source_dir" >&2; exit 1; }

failed=0
for source in "${sources[@]}"; do
    for unicode in "" "-DUNICODE -D_UNICODE"; do
        # shellcheck disable=SC2086  # $unicode is two flags or none
        if errors=$("$cxx" "$@" $unicode "${includes[@]}" "$source" 2>&1); then
            echo "ok: ${source#"$source_dir"/} ${unicode:-(ANSI)}"
        else
            echo "FAIL: ${source#"$source_dir"/} ${unicode:-(ANSI)} does not compile for Windows:" >&2
            { grep -m 10 "error" <<<"$errors" || head -n 10 <<<"$errors"; } >&2
            failed=1
        fi
    done
done
exit "$failed"
