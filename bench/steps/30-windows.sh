#!/usr/bin/env bash
# The Windows program under Wine: its size, and its start-up against a bare
# Win32 window of the same client size, built here with the same compiler and
# flags and run under the same Wine, in rotation in one go; and, as a second
# reference, that window with one text field holding the same Chinese text.
# Every program decodes, lays out and paints before its window maps
# (UpdateWindow right after ShowWindow), so the time to the first map is the
# time to the first paint. Goal: within 1.25x of the bare window.
#   bench/steps/30-windows.sh BUILD_DIR     (builds the `windows` preset itself)
set -euo pipefail

build_dir=$(realpath "$1")
source_dir=$(cd "$(dirname "$0")/../.." && pwd)
helpers=${BENCH_STARTUP_DIR:-$source_dir/build/bench-startup/helpers}
wine_dir=$build_dir/wine
runs=${BENCH_STARTUP_RUNS:-15}
settle_ms=${BENCH_STARTUP_SETTLE_MS:-500}
goal=1.25

# Builds one of the reference windows: NAME, then its extra flags.
reference() {
    x86_64-w64-mingw32-g++ -std=c++20 -O2 -DUNICODE -D_UNICODE "${@:2}" -municode -mwindows -static -s \
        -o "$wine_dir/$1.exe" "$source_dir/bench/startup/bare_window_win.cpp"
}

if [ -z "${WINDOWS_INNER:-}" ]; then
    mkdir -p "$helpers" "$wine_dir"
    log=$wine_dir/build.log
    {
        cmake --preset windows -S "$source_dir" &&
            cmake --build "$source_dir/build/windows" &&
            cmake -S "$source_dir/bench/startup" -B "$helpers" -G Ninja -DCMAKE_BUILD_TYPE=Release &&
            cmake --build "$helpers" --target startup_probe &&
            reference bare_window && reference text_window -DTEXT_FIELD
    } >"$log" 2>&1 || { cat "$log" >&2; exit 1; }
    exe=$source_dir/build/windows/app/win32/Vellumino.exe
    zip=$source_dir/build/windows/Vellumino-1.00-win64.zip
    (cd "$source_dir/build/windows" && cpack -G ZIP >/dev/null)
    echo "Windows program: Vellumino.exe $(stat -c %s "$exe") bytes ($(numfmt --to=iec-i --suffix=B "$(stat -c %s "$exe")")," \
        "goal 1.5 MB), the zip $(stat -c %s "$zip") bytes"
    echo "  imports: $(x86_64-w64-mingw32-objdump -p "$exe" | sed -n 's/^\tDLL Name: //p' | tr '\n' ' ')"

    export WINDOWS_INNER=1 VELLUMINO_EXE=$exe PROBE=$helpers/startup_probe
    exec "$source_dir/tests/win32/prefix.sh" "$wine_dir" \
        xvfb-run -a -s "-screen 0 1024x768x24 -noreset" "$0" "$@"
fi

# One wineserver for every start, kept running, so that neither program pays
# for starting it; the prefix script stops it afterwards.
wineserver -p
wine=$(command -v wine)
names=("bare Win32 window" "+ a text field" "Vellumino.exe")
programs=("$wine_dir/bare_window.exe" "$wine_dir/text_window.exe" "$VELLUMINO_EXE")

log=$wine_dir/startup.log
: >"$log"
measure() {
    "$PROBE" "$settle_ms" "$wine" "$1" 2>>"$log" || { cat "$log" >&2; exit 1; }
}
source "$source_dir/bench/startup/rotation.sh"
in_rotation "$runs" "${programs[@]}" |
    report "Start-up under Wine ($(wine --version)) and Xvfb" "$settle_ms" "$runs" "$goal" 0 "${names[@]}"
