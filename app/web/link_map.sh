#!/bin/sh
# Runs the link with the linker's map, which it prints on its output, kept
# in a file: link_map.sh MAP COMMAND...
map=$1
shift
exec "$@" >"$map"
