#!/usr/bin/env bash
# The web page: the size of its first load (everything the first visit
# fetches, the service worker's cache included, each file as gzip -9 would
# serve it), and how soon it is ready for input against a plain page with
# the same picture and an input, both loaded in turn in the same headless
# Chromium, on a desktop screen and on a phone's. Goals: at most 800 KB,
# and within 1.5x of the plain page. Then a phone's first visit on a slow
# link (slow.py), and Lighthouse's four scores on a phone.
#   bench/steps/50-web.sh BUILD_DIR      (builds the `web` preset itself)
set -euo pipefail

source_dir=$(cd "$(dirname "$0")/../.." && pwd)
log=$source_dir/build/web-build-bench.log
export NODE_PATH=/usr/share/nodejs
{ cmake --preset web -S "$source_dir" && cmake --build "$source_dir/build/web-build" --target vellumino_site; } \
    >"$log" 2>&1 || { cat "$log" >&2; exit 1; }
python3 "$source_dir/bench/web/ready.py" "$source_dir/build/web-build/site" "${BENCH_WEB_ROUNDS:-25}" 2>/dev/null
# The tables' bytes, each set's file: inflated (what goes into the core's
# memory), as the file is (gzip, which the page inflates itself: what any
# host sends), and what gzip -9 of the inflated bytes would be (the build
# uses zopfli where it can).
python3 - "$source_dir/build/web-build" <<'PY'
import gzip, os, sys
build = sys.argv[1]
core = os.path.getsize(os.path.join(build, "site/vellumino.wasm"))
for name in ("vellumino-tables", "vellumino-tables-simplified"):
    with open(os.path.join(build, f"app/web/core/{name}.raw"), "rb") as file:
        raw = file.read()
    wire = os.path.getsize(os.path.join(build, f"site/{name}.bin"))
    print(f"Tables, {name}.bin: {len(raw):,} bytes raw, {len(gzip.compress(raw, 9)):,} as gzip -9 would make "
          f"them, {wire:,} on the wire from any host (the file as built, gzip's format)")
print(f"The core beside them: {core:,} bytes uncompressed")
PY
python3 "$source_dir/bench/web/slow.py" "$source_dir/build/web-build/site" "${BENCH_SLOW_ROUNDS:-5}" 2>/dev/null
"$source_dir/bench/web/lighthouse.sh" "$source_dir/build/web-build/site"
