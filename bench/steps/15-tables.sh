#!/usr/bin/env bash
# The conversion tables against a baseline tree, built here with the same
# preset: what they take in the program (size of the conversion's objects),
# the first call's set-up (bench/first_call, run in turn with the baseline's
# in fresh processes; goal: a median of at most 2,900 us to traditional), and
# every conversion of the corpora byte for byte (bench/same_output: the 1 MiB
# text of the benchmarks, the manual pages, the Debian message pairs, the
# judged set and the fuzz seeds), which must be the same unless the tables'
# rules changed on purpose.
#   bench/steps/15-tables.sh BUILD_DIR
# BENCH_BASELINE names the baseline's revision (default main);
# BENCH_FIRST_CALL_RUNS how many runs each (default 41).
set -euo pipefail

build_dir=$(realpath "$1")
source_dir=$(cd "$(dirname "$0")/../.." && pwd)
baseline=${BENCH_BASELINE:-main}
runs=${BENCH_FIRST_CALL_RUNS:-41}
work=$build_dir/bench/tables
base_src=$work/baseline-src
mkdir -p "$work"

revision=$(git -C "$source_dir" rev-parse --short "$baseline")
rm -rf "$base_src"
mkdir -p "$base_src"
git -C "$source_dir" archive "$baseline" | tar -x -C "$base_src"
# The preset puts the build in the baseline's own tree.
{ cmake --preset bench -S "$base_src" &&
    cmake --build "$base_src/build/bench" --target first_call same_output; } >"$work/baseline.log" 2>&1 ||
    { tail -n 20 "$work/baseline.log" >&2; exit 1; }
old=$base_src/build/bench
new=$build_dir

objects() {
    find "$1/styling" -name 'chinese*.o' -print0 | xargs -0 size | awk 'NR > 1 { sum += $1 + $2 } END { print sum }'
}
old_size=$(objects "$old")
new_size=$(objects "$new")
echo "Conversion tables against $baseline ($revision), the same preset:"
awk -v o="$old_size" -v n="$new_size" 'BEGIN {
    printf "  the conversion'"'"'s objects (text + data)  %9d -> %9d bytes  %.2fx\n", o, n, n / o }'

for ((i = 0; i < runs; ++i)); do
    echo "old $("$old/bench/first_call")"
    echo "new $("$new/bench/first_call")"
done >"$work/first_call.txt"
python3 - "$work/first_call.txt" "$runs" <<'PY'
import statistics, sys
runs = {"old": [], "new": []}
for line in open(sys.argv[1]):
    which, *values = line.split()
    runs[which].append([float(v) for v in values])
print(f"  first call, median of {sys.argv[2]} fresh processes each, in turn (us of the thread's CPU time):")
for i, name in enumerate(("ToTraditional", "ToSimplified", "ToMartian")):
    old = statistics.median(r[i] for r in runs["old"])
    new = statistics.median(r[i] for r in runs["new"])
    goal = f"  (goal 2900 us: {'within' if new <= 2900 else 'over'})" if i == 0 else ""
    print(f"    {name:14} {old:9.1f} -> {new:9.1f}  {new / old:.2f}x{goal}")
PY

"$source_dir/bench/manpages.sh" >"$work/manpages-zh.txt"
python3 "$source_dir/bench/mo_pairs.py" >"$work/mo-pairs.tsv" 2>"$work/mo-pairs.log"
"$new/bench/same_output" --large-text >"$work/large.txt"
corpora=("$work/large.txt" "$work/manpages-zh.txt" "$work/mo-pairs.tsv" "$source_dir"/bench/judged/*.tsv
         "$source_dir"/fuzz/corpus/*/*)
"$old/bench/same_output" "${corpora[@]}" >"$work/old.out"
"$new/bench/same_output" "${corpora[@]}" >"$work/new.out"
bytes=$(stat -c %s "$work/new.out")
if cmp -s "$work/old.out" "$work/new.out"; then
    echo "  five conversions of ${#corpora[@]} files (the 1 MiB text first): the same $bytes bytes"
else
    echo "  five conversions of ${#corpora[@]} files: DIFFERENT ($(cmp "$work/old.out" "$work/new.out" 2>&1 | head -n 1))"
fi
