#!/usr/bin/env bash
# ToTraditional and ToSimplified against OpenCC's s2t and t2s (Debian's
# libopencc, linked in-process) on the Chinese manual pages of Debian's
# manpages-zh: how many Han characters agree, the kinds of difference, and
# the time on 1 MiB of the same text as ratios of a copy and of OpenCC,
# measured in the same run.
set -euo pipefail

build_dir=$1
binary=$build_dir/bench/accuracy_bench
text=$build_dir/bench/manpages-zh.txt

# Every simplified-Chinese page once (no links), in a fixed order, with the
# roff requests' names and the font escapes taken out so that what is left
# is the prose and the options it explains.
find /usr/share/man/zh_CN -type f -name '*.gz' | LC_ALL=C sort | while read -r page; do
    zcat "$page"
done | sed -E -e '/^[.'"'"']\\"/d' -e 's/^[.'"'"'][A-Za-z]+[[:space:]]*//' \
             -e 's/\\f(\[[^]]*\]|\(..|.)//g' -e 's/\\[-&e|^]//g' >"$text"

"$binary" "$text" "${BENCH_REPETITIONS:-20}"
