#!/usr/bin/env bash
# Configures this source tree as a machine without mingw-w64 and Wine would:
# every program on the PATH but theirs, and the system's own bin folders
# hidden from CMake. The configure must succeed with the Windows tests off,
# and must fail when they are required.
#   without_wine.sh SOURCE_DIR SCRATCH_DIR
set -euo pipefail
src=$1 scratch=$2

rm -rf "$scratch"
mkdir -p "$scratch/bin"
IFS=: read -ra dirs <<<"$PATH"
for dir in "${dirs[@]}"; do
    for tool in "$dir"/*; do
        name=${tool##*/}
        case $name in wine* | *mingw32*) continue ;; esac
        [ -x "$tool" ] && [ ! -e "$scratch/bin/$name" ] && ln -s "$tool" "$scratch/bin/$name"
    done
done

configure() {
    env PATH="$scratch/bin" cmake -S "$src" -B "$scratch/build" -G Ninja -DCMAKE_BUILD_TYPE=Debug \
        "-DCMAKE_IGNORE_PATH=/usr/bin;/bin;/usr/sbin;/sbin;/usr/local/bin;/usr/local/sbin" "$@" \
        >"$scratch/configure.log" 2>&1
}

if configure -DVELLUMINO_REQUIRE_WINDOWS_TESTS=ON; then
    echo "FAIL: configured without Wine although the Windows tests were required" >&2
    exit 1
fi
# CMake wraps its error messages.
tr -s ' \n' ' ' <"$scratch/configure.log" | grep -q "not found: WINE, MINGW_OBJDUMP, MINGW_CXX" ||
    { cat "$scratch/configure.log" >&2; echo "FAIL: no word of what is missing" >&2; exit 1; }

configure -DVELLUMINO_REQUIRE_WINDOWS_TESTS=OFF ||
    { cat "$scratch/configure.log" >&2; echo "FAIL: a plain configure without Wine failed" >&2; exit 1; }
grep "Windows program's tests off" "$scratch/configure.log"
tests=$(cd "$scratch/build" && ctest -N)
grep -q "e2e.spacing" <<<"$tests" || { echo "FAIL: the Linux tests are missing" >&2; exit 1; }
if grep -qE " (wine|wine144|windows)\." <<<"$tests"; then
    echo "FAIL: Windows tests registered without Wine" >&2
    exit 1
fi
rm -rf "$scratch"
echo "without_wine: ok"
