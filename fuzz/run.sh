#!/usr/bin/env bash
# Runs every fuzz target for SECONDS each, one after the other, starting from
# the committed seeds, and prints how many inputs each one ran clean.
#   fuzz/run.sh BUILD_DIR SECONDS      e.g. fuzz/run.sh build/fuzz 600
# New corpus entries and any crashing input stay under BUILD_DIR/fuzz/work/.
set -euo pipefail

if [ $# -ne 2 ]; then
    echo "usage: $0 BUILD_DIR SECONDS" >&2
    exit 2
fi
build_dir=$(realpath "$1")
seconds=$2
seeds=$(cd "$(dirname "$0")" && pwd)/corpus

failed=0
for seed_dir in "$seeds"/*/; do
    target=$(basename "$seed_dir")
    binary=$build_dir/fuzz/$target
    if [ ! -x "$binary" ]; then
        echo "$target: not built ($binary missing)" >&2
        failed=1
        continue
    fi
    work=$build_dir/fuzz/work/$target
    mkdir -p "$work/corpus" "$work/artifacts"
    log=$work/run.log
    echo "$target: fuzzing for ${seconds} s (log: $log)"
    status=0
    (cd "$work" && "$binary" -max_total_time="$seconds" -timeout=10 -print_final_stats=1 \
        -artifact_prefix="$work/artifacts/" "$work/corpus" "$seed_dir") >"$log" 2>&1 || status=$?
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n 1)
    if [ "$status" -eq 0 ]; then
        printf '%s: %s executions in %s s, clean\n' "$target" "${runs:-?}" "$seconds"
    else
        printf '%s: FAILED after %s executions (exit %s); reproducer in %s\n' \
            "$target" "${runs:-?}" "$status" "$work/artifacts/" >&2
        grep -E '^(property broken|input |output|==[0-9]+==ERROR|SUMMARY)' "$log" >&2 || tail -n 20 "$log" >&2
        failed=1
    fi
done
exit "$failed"
