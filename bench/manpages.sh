#!/usr/bin/env bash
# Every simplified-Chinese manual page of Debian's manpages-zh once (no
# links), in a fixed order, with the roff requests' names and the font
# escapes taken out so that what is left is the prose and the options it
# explains: the text the Chinese conversions are measured and compared on.
#   bench/manpages.sh > TEXT
set -euo pipefail
find /usr/share/man/zh_CN -type f -name '*.gz' | LC_ALL=C sort | while read -r page; do
    zcat "$page"
done | sed -E -e '/^[.'"'"']\\"/d' -e 's/^[.'"'"'][A-Za-z]+[[:space:]]*//' \
             -e 's/\\f(\[[^]]*\]|\(..|.)//g' -e 's/\\[-&e|^]//g'
