# Shared by the end-to-end tests: start the real program on the X server
# that xvfb-run gave us, find its window, click zones, read the field.
# Each helper polls for the state it needs rather than sleeping blind.

set -euo pipefail

: "${VELLUMINO:?path of the program under test}"
: "${VELLUMINO_LAYOUT:?path of app/layout.h}"

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

# Polls a command until it succeeds, for at most $1 seconds.
wait_until() {
    local seconds=$1
    shift
    local deadline=$((SECONDS + seconds))
    until "$@"; do
        [ "$SECONDS" -lt "$deadline" ] || return 1
        sleep 0.05
    done
}

start_vellumino() {
    "$VELLUMINO" &
    APP_PID=$!
    trap 'kill "$APP_PID" 2>/dev/null || true' EXIT
    WID=$(timeout 20 xdotool search --sync --onlyvisible --name '^Vellumino$' | head -n 1) ||
        fail "the window never appeared"
    xdotool windowfocus --sync "$WID" 2>/dev/null || true
}

# The centre of a zone, read from the same header the window is built from.
zone_centre() {
    local line
    line=$(grep -E "\"$1\", *\{" "$VELLUMINO_LAYOUT") || fail "no zone $1 in the layout"
    read -r x y w h < <(sed -E 's/.*\{([0-9]+), *([0-9]+), *([0-9]+), *([0-9]+)\}.*/\1 \2 \3 \4/' <<<"$line")
    echo "$((x + w / 2)) $((y + h / 2))"
}

click_zone() {
    local x y
    read -r x y < <(zone_centre "$1")
    xdotool mousemove --window "$WID" "$x" "$y" click 1
}

set_clipboard() {
    printf '%s' "$1" | xclip -selection clipboard -in
}

clipboard() {
    xclip -selection clipboard -out 2>/dev/null
}

# The field's text, through the program's own copy shortcut.
field_text() {
    printf '' | xclip -selection clipboard -in
    xdotool key --window "$WID" ctrl+a ctrl+c
    wait_until 5 test -n "$(clipboard)" || true
    clipboard
}

# Replaces the field's text with $1 by pasting it, as a user would.
paste_signature() {
    set_clipboard "$1"
    xdotool key --window "$WID" ctrl+a ctrl+v
}

# Waits until the field holds $1.
expect_field() {
    local expected=$1 actual=""
    for _ in $(seq 1 50); do
        actual=$(field_text)
        [ "$actual" = "$expected" ] && return 0
        sleep 0.1
    done
    fail "field holds '$actual', expected '$expected'"
}
