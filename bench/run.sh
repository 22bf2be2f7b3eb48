#!/usr/bin/env bash
# Runs every benchmark step in bench/steps/ in name order, each given the
# build directory; each step prints its own figures and ratios.
#   bench/run.sh BUILD_DIR             e.g. bench/run.sh build/bench
# To add a benchmark (the start-up time, say), drop an executable
# bench/steps/NN-name.sh that takes BUILD_DIR as its only argument.
set -euo pipefail

if [ $# -ne 1 ]; then
    echo "usage: $0 BUILD_DIR" >&2
    exit 2
fi
build_dir=$(realpath "$1")
steps=$(cd "$(dirname "$0")" && pwd)/steps

echo "Machine: $(lscpu | sed -n 's/^Model name: *//p'), $(nproc) CPUs; $(uname -sr)"
for step in "$steps"/*.sh; do
    echo
    "$step" "$build_dir"
done
