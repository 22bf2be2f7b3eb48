#!/usr/bin/env bash
# Usage: screenshot.sh [--wine STATE_DIR [--dpi N]] PROGRAM OUTPUT.png [QT_SCALE_FACTOR] [SIGNATURE [ZONE]]
# Starts the program under a private X server and saves its window as a PNG,
# after pasting SIGNATURE into the field if one is given, and clicking the
# zone ZONE (Label3 …) if one is given: its place comes from the layout file
# $VELLUMINO_LAYOUT (by default build/ci/layout.txt), at 96 DPI.
# With --wine, PROGRAM is the Windows program, run by Wine in the prefix that
# tests/win32/prefix.sh keeps in STATE_DIR, on a screen of N dots per inch (96
# if not given; each DPI needs its own STATE_DIR); QT_SCALE_FACTOR then means
# nothing.
set -euo pipefail

if [ -z "${SCREENSHOT_INNER:-}" ]; then
    export SCREENSHOT_INNER=1
    session=()
    if [ "${1:-}" = --wine ]; then
        # Inside the X server, so that Wine is stopped before the server goes.
        dpi=96
        [ "${3:-}" != --dpi ] || dpi=$4
        session=("$(dirname "$0")/../tests/win32/prefix.sh" --dpi "$dpi" "$2")
    fi
    exec xvfb-run -a -s "-screen 0 1024x768x24" "${session[@]}" "$0" "$@"
fi

runner=()
if [ "$1" = --wine ]; then
    runner=(wine)
    shift 2
    [ "$1" != --dpi ] || shift 2
fi
program=$1 output=$2
export QT_SCALE_FACTOR=${3:-1}
"${runner[@]}" "$program" &
pid=$!
trap 'kill "$pid" 2>/dev/null || true' EXIT
wid=$(timeout 20 xdotool search --sync --onlyvisible --name '^Vellumino$' | head -n 1)
if [ -n "${4:-}" ]; then
    printf '%s' "$4" | xclip -selection clipboard -in >/dev/null 2>&1
    xdotool windowfocus --sync "$wid" 2>/dev/null || true
    xdotool key --window "$wid" ctrl+a ctrl+v
fi
if [ -n "${5:-}" ]; then
    sleep 0.5
    layout=${VELLUMINO_LAYOUT:-$(dirname "$0")/../build/ci/layout.txt}
    read -r x y w h < <(awk -v zone="$5" '$1 == zone { print $2, $3, $4, $5 }' "$layout")
    xdotool mousemove --window "$wid" $((x + w / 2)) $((y + h / 2)) click 1
fi
# Give the first frame time to land after the map.
sleep 1
mkdir -p "$(dirname "$output")"
import -window "$wid" "$output"
