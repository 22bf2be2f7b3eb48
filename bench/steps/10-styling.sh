#!/usr/bin/env bash
# The text commands: each on a 40-character signature, and the mappings
# on 1 MiB of text as ratios of a plain copy of the same text timed in the
# same run (median CPU time of interleaved repetitions).
set -euo pipefail

build_dir=$1
binary=$build_dir/bench/styling_bench
json=$build_dir/bench/styling.json
repetitions=${BENCH_REPETITIONS:-20}

"$binary" --benchmark_repetitions="$repetitions" --benchmark_enable_random_interleaving=true \
    --benchmark_report_aggregates_only=true --benchmark_out="$json" --benchmark_out_format=json \
    >"$build_dir/bench/styling.log" 2>&1 || { cat "$build_dir/bench/styling.log" >&2; exit 1; }

# The JSON reporter writes one field per line, in a fixed order per run.
awk -v repetitions="$repetitions" -v goal=4 '
    function field(line) { sub(/^[^:]*: */, "", line); sub(/,$/, "", line); gsub(/"/, "", line); return line }
    function ns(value, unit) { return value * (unit == "s" ? 1e9 : unit == "ms" ? 1e6 : unit == "us" ? 1e3 : 1) }
    /"family_index":/   { family = field($0) }
    /"run_name":/       { name = field($0) }
    /"aggregate_name":/ { aggregate = field($0) }
    /"cpu_time":/       { cpu = field($0) }
    /"time_unit":/      { if (aggregate == "median") { order[family] = name; time[name] = ns(cpu, field($0)) } }
    END {
        printf "Text commands: median CPU time of %d interleaved repetitions\n", repetitions
        copy = time["1MiB/copy"]
        for (i = 0; i in order; ++i) {
            name = order[i]
            if (name ~ /^signature\//) {
                printf "  %-24s %9.3f us\n", name, time[name] / 1e3
            } else if (name == "1MiB/copy") {
                printf "  %-24s %9.1f us   baseline\n", name, time[name] / 1e3
            } else {
                ratio = time[name] / copy
                if (name == "1MiB/transform") {
                    printf "  %-24s %9.1f us   %5.2fx copy\n", name, time[name] / 1e3, ratio
                } else {
                    verdict = ratio <= goal ? "within the goal of " goal "x" : "over the goal of " goal "x"
                    printf "  %-24s %9.1f us   %5.2fx copy (%s), %.2fx transform\n", name, time[name] / 1e3,
                           ratio, verdict, time[name] / time["1MiB/transform"]
                }
            }
        }
    }' "$json"
