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
#   bench/steps/20-startup.sh BUILD_DIR      (uses BUILD_DIR/app/vellumino)
set -euo pipefail

build_dir=$(realpath "$1")
program=$build_dir/app/vellumino
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
count=${#programs[@]}

log=$helpers/startup.log
: >"$log"
measure() {
    "$helpers/startup_probe" "$settle_ms" "$1" 2>>"$log" || { cat "$log" >&2; exit 1; }
}

# Warm-up: the first start of each reads its libraries from disk.
for p in "${programs[@]}"; do measure "$p" >/dev/null; done

results=()  # "<index> <ms> <KiB>" per run
for ((i = 0; i < runs; ++i)); do
    # Rotate which goes first, so a drift in the machine hits all alike.
    for ((k = 0; k < count; ++k)); do
        j=$(((i + k) % count))
        results+=("$j $(measure "${programs[j]}")")
    done
done

printf '%s\n' "${results[@]}" | awk -v runs="$runs" -v settle="$settle_ms" -v goal="$goal" \
    -v n0="${names[0]}" -v n1="${names[1]}" -v n2="${names[2]}" '
    function median(list,    n, v, i, j, t) {
        n = split(list, v, " ")
        for (i = 2; i <= n; ++i) for (j = i; j > 1 && v[j - 1] + 0 > v[j] + 0; --j) { t = v[j]; v[j] = v[j - 1]; v[j - 1] = t }
        return (n % 2) ? v[(n + 1) / 2] : (v[n / 2] + v[n / 2 + 1]) / 2
    }
    function verdict(r) { return r <= goal ? "within the goal of " goal "x" : "over the goal of " goal "x" }
    { ms[$1] = ms[$1] " " $2; kib[$1] = kib[$1] " " $3; cpu[$1] = cpu[$1] " " $4 }
    END {
        name[0] = n0; name[1] = n1; name[2] = n2
        for (k = 0; k < 3; ++k) { t[k] = median(ms[k]); m[k] = median(kib[k]); c[k] = median(cpu[k]) }
        printf "Start-up under Xvfb: exec to first map (wall clock, and processor time used by then),\n"
        printf "peak RSS %d ms after the map; median of %d runs each, in rotation\n", settle, runs
        printf "  %-26s %9s %9s %12s\n", "", "to map", "CPU", "peak RSS"
        for (k = 0; k < 3; ++k) printf "  %-26s %6.1f ms %6.1f ms %8.1f MiB\n", name[k], t[k], c[k], m[k] / 1024
        printf "  %-26s %8.2fx %8.2fx %11.2fx   time %s, memory %s\n", "Vellumino / bare window",
            t[2] / t[0], c[2] / c[0], m[2] / m[0], verdict(t[2] / t[0]), verdict(m[2] / m[0])
        printf "  %-26s %8.2fx %8.2fx %11.2fx   (the program'"'"'s own share)\n", "Vellumino / line of text",
            t[2] / t[1], c[2] / c[1], m[2] / m[1]
    }'
