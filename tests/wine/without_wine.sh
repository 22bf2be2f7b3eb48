#!/usr/bin/env bash
# Configures the tree as a machine without mingw-w64 and Wine would: every
# program on the PATH but theirs, the system's bin folders hidden from CMake.
# Required, the Windows tests stop the configure; otherwise they are left out.
#   without_wine.sh SOURCE_DIR SCRATCH_DIR
set -euo pipefail
src=$1 scratch=$2
rm -rf "$scratch" && mkdir -p "$scratch/bin"
IFS=: read -ra dirs <<<"$PATH"
for tool in $(printf '%s/* ' "${dirs[@]}"); do
    name=${tool##*/}
    case $name in wine* | *mingw32*) continue ;; esac
    [ -x "$tool" ] && [ ! -e "$scratch/bin/$name" ] && ln -s "$tool" "$scratch/bin/$name"
done
configure() {
    env PATH="$scratch/bin" cmake -S "$src" -B "$scratch/build" -G Ninja "$@" \
        "-DCMAKE_IGNORE_PATH=/usr/bin;/bin;/usr/sbin;/sbin;/usr/local/bin;/usr/local/sbin" >"$scratch/log" 2>&1
}
! configure -DVELLUMINO_REQUIRE_WINDOWS_TESTS=ON || { echo "FAIL: configured without Wine" >&2; exit 1; }
configure -DVELLUMINO_REQUIRE_WINDOWS_TESTS=OFF || { cat "$scratch/log" >&2; exit 1; }
grep "Windows program's tests off" "$scratch/log"
tests=$(cd "$scratch/build" && ctest -N)
grep -q " e2e.spacing" <<<"$tests" || { echo "FAIL: the Linux tests are missing" >&2; exit 1; }
! grep -E " (wine|wine144|windows)\." <<<"$tests" || { echo "FAIL: Windows tests registered" >&2; exit 1; }
rm -rf "$scratch"
