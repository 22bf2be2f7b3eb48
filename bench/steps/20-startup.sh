#!/usr/bin/env bash
# Start-up and memory of the program against a bare Qt 6 window of the same
# size, built here: time from exec to the first map of the window under Xvfb,
# and peak resident memory (VmHWM) once it has painted. The programs run in
# rotation in one go, RUNS times each after a warm-up, and the medians are
# compared. Goal: both ratios to the bare window at most 1.25.
#
# A second reference, the bare window with one line edit holding the same
# Chinese text, separates what showing text costs any Qt program (fontconfig,
# the font database, a CJK fallback font) from what is Vellumino's own.
#   bench/steps/20-startup.sh BUILD_DIR      (uses BUILD_DIR/app/qt/vellumino)
set -euo pipefail

build_dir=$(realpath "$1")
program=$build_dir/app/qt/vellumino
bench_dir=$(cd "$(dirname "$0")/.." && pwd)
helpers=${BENCH_STARTUP_DIR:-$(dirname "$bench_dir")/build/bench-startup/helpers}
runs=${BENCH_STARTUP_RUNS:-15}
settle_ms=${BENCH_STARTUP_SETTLE_MS:-500}
goal=1.25

if [ -z "${STARTUP_INNER:-}" ]; then
    [ -x "$program" ] || { echo "no program at $program" >&2; exit 1; }
    mkdir -p "$helpers"
    { cmake -S "$bench_dir/startup" -B "$helpers" -G Ninja -DCMAKE_BUILD_TYPE=Release &&
        cmake --build "$helpers"; } >"$helpers/build.log" 2>&1 || { cat "$helpers/build.log" >&2; exit 1; }
    # -noreset: each probe is the server's last client when it leaves, and a
    # resetting server refuses the next one. xvfb-run -a can also lose a race
    # for a display number to another X server starting at the same moment;
    # the inner run says so (75) and we retry.
    export STARTUP_INNER=1
    for _ in 1 2 3; do
        status=0
        xvfb-run -a -s "-screen 0 1024x768x24 -noreset" "$0" "$@" || status=$?
        [ "$status" -eq 75 ] || exit "$status"
    done
    echo "no X server could be started" >&2
    exit 1
fi
xdpyinfo >/dev/null 2>&1 || exit 75

# The same environment for every program.
export QT_QPA_PLATFORM=xcb
XDG_RUNTIME_DIR=$(mktemp -d)
export XDG_RUNTIME_DIR
trap 'rm -rf "$XDG_RUNTIME_DIR"' EXIT
unset QT_SCALE_FACTOR

names=("bare Qt window" "+ a line of text" "Vellumino")
programs=("$helpers/bare_window" "$helpers/text_window" "$program")

log=$helpers/startup.log
: >"$log"
measure() {
    "$helpers/startup_probe" "$settle_ms" "$1" 2>>"$log" || { cat "$log" >&2; exit 1; }
}

# The first start of each reads its libraries from disk: in_rotation warms up.
source "$bench_dir/startup/rotation.sh"
in_rotation "$runs" "${programs[@]}" |
    report "Start-up under Xvfb" "$settle_ms" "$runs" "$goal" 1 "${names[@]}"
