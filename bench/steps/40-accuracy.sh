#!/usr/bin/env bash
# ToTraditional and ToSimplified against OpenCC's s2tw and tw2s (Debian's
# libopencc, linked in-process) on the Chinese manual pages of Debian's
# manpages-zh: how many Han characters agree, the kinds of difference, and
# the time on 1 MiB of the same text as ratios of a copy and of OpenCC,
# measured in the same run; both against people on the judged sets (the
# longest-match errors in bench/judged/, and the zh_CN/zh_TW pairs of the
# installed packages' messages); and first the generator's --check, so that
# the committed tables are shown to be what it makes from the installed data.
set -euo pipefail

build_dir=$1
source_dir=$(cd "$(dirname "$0")/../.." && pwd)
python3 "$source_dir/tools/gen-traditional-table.py" --check >"$build_dir/bench/gen-check.log" 2>&1 || {
    tail -n 5 "$build_dir/bench/gen-check.log"
    exit 1
}
tail -n 1 "$build_dir/bench/gen-check.log"
pairs=$build_dir/bench/mo-pairs.tsv
python3 "$source_dir/bench/mo_pairs.py" >"$pairs"
binary=$build_dir/bench/accuracy_bench
text=$build_dir/bench/manpages-zh.txt

"$source_dir/bench/manpages.sh" >"$text"

"$binary" "$text" "${BENCH_REPETITIONS:-20}" "$source_dir/bench/judged/longest-match.tsv" "$pairs"
