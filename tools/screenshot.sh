#!/usr/bin/env bash
# Usage: screenshot.sh PROGRAM OUTPUT.png [QT_SCALE_FACTOR] [SIGNATURE]
# Starts the program under a private X server and saves its window as a PNG,
# after pasting SIGNATURE into the field if one is given.
set -euo pipefail

if [ -z "${SCREENSHOT_INNER:-}" ]; then
    export SCREENSHOT_INNER=1
    exec xvfb-run -a -s "-screen 0 1024x768x24" "$0" "$@"
fi

program=$1 output=$2
export QT_SCALE_FACTOR=${3:-1}
"$program" &
pid=$!
trap 'kill "$pid" 2>/dev/null || true' EXIT
wid=$(timeout 20 xdotool search --sync --onlyvisible --name '^Vellumino$' | head -n 1)
if [ -n "${4:-}" ]; then
    printf '%s' "$4" | xclip -selection clipboard -in
    xdotool windowfocus --sync "$wid" 2>/dev/null || true
    xdotool key --window "$wid" ctrl+a ctrl+v
fi
# Give the first frame time to land after the map.
sleep 1
mkdir -p "$(dirname "$output")"
import -window "$wid" "$output"
