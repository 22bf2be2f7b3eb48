#!/usr/bin/env bash
# Configures the tree as a machine without some tools would: every program on
# the PATH but those, the system's bin folders hidden from CMake. Required,
# the tests that need them stop the configure; otherwise they are left out
# with one line saying so, and the rest is still there.
#   configure_without.sh SOURCE_DIR SCRATCH_DIR wine|xvfb
set -euo pipefail
shopt -s extglob
src=$1 scratch=$2 kind=$3
case $kind in
    wine)  # mingw-w64 and Wine: no Windows program, no tests of it
        hidden='wine*|*mingw32*' require=VELLUMINO_REQUIRE_WINDOWS_TESTS
        message="Windows program's tests off" kept=" e2e.spacing" gone=" (wine|wine144|windows)\." ;;
    xvfb)  # no X server, nor Wine: a packager's machine; no end-to-end tests at all
        hidden='xvfb-run|Xvfb|wine*|*mingw32*' require=VELLUMINO_REQUIRE_DISPLAY_TESTS
        message="End-to-end tests off" kept=" qt.form1_test" gone=" (e2e|wine|wine144)\." ;;
    *) echo "usage: $0 SOURCE_DIR SCRATCH_DIR wine|xvfb" >&2; exit 2 ;;
esac
rm -rf "$scratch" && mkdir -p "$scratch/bin"
IFS=: read -ra dirs <<<"$PATH"
for tool in $(printf '%s/* ' "${dirs[@]}"); do
    name=${tool##*/}
    # shellcheck disable=SC2254
    case $name in @($hidden)) continue ;; esac
    [ -x "$tool" ] && [ ! -e "$scratch/bin/$name" ] && ln -s "$tool" "$scratch/bin/$name"
done
configure() {
    env PATH="$scratch/bin" cmake -S "$src" -B "$scratch/build" -G Ninja "$@" \
        "-DCMAKE_IGNORE_PATH=/usr/bin;/bin;/usr/sbin;/sbin;/usr/local/bin;/usr/local/sbin" >"$scratch/log" 2>&1
}
! configure "-D$require=ON" || { echo "FAIL: configured without $kind although required" >&2; exit 1; }
configure "-D$require=OFF" || { cat "$scratch/log" >&2; exit 1; }
grep "$message" "$scratch/log"
tests=$(cd "$scratch/build" && ctest -N)
grep -q "$kept" <<<"$tests" || { echo "FAIL: the other tests are missing" >&2; exit 1; }
! grep -E "$gone" <<<"$tests" || { echo "FAIL: tests that need $kind registered" >&2; exit 1; }
rm -rf "$scratch"
