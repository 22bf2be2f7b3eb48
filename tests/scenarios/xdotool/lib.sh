# Shared by the end-to-end tests: start the real program on the X server
# that xvfb-run gave us, find its window, click zones, read the field.
# Each helper polls for the state it needs rather than sleeping blind.
#
# The same scenarios drive the Windows program under Wine: VELLUMINO_RUNNER,
# if set, is the absolute path of a command put in front of the program.

set -euo pipefail

: "${VELLUMINO:?path of the program under test}"
: "${VELLUMINO_LAYOUT:?path of layout.txt, the layout the build writes}"

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

# Run on exit: stops the program and whatever else a test started, and
# removes its scratch files.
on_exit() {
    [ -z "${APP_PID:-}" ] || kill "$APP_PID" 2>/dev/null || true
    if [ -n "${E2E_TMP:-}" ]; then
        local pid
        # Stand-in browsers still lingering (a recorded pid may since be reused).
        for pid in $(cat "$E2E_TMP/pids" 2>/dev/null); do
            [ "$(cat "/proc/$pid/comm" 2>/dev/null)" != sleep ] || kill "$pid" 2>/dev/null || true
        done
        rm -rf "$E2E_TMP"
    fi
}

# Starts the program; arguments go in front of it (and of its runner), e.g.
# `env PATH=...`. APP_PID is the program's own process: a runner must exec it.
start_vellumino() {
    "$@" ${VELLUMINO_RUNNER:+"$VELLUMINO_RUNNER"} "$VELLUMINO" &
    APP_PID=$!
    trap on_exit EXIT
    WID=$(timeout 20 xdotool search --sync --onlyvisible --name '^Vellumino$' | head -n 1) ||
        fail "the window never appeared"
    xdotool windowfocus --sync "$WID" 2>/dev/null || true
}

# The program's screen, in dots per inch: its window's pixels are those of
# the layout scaled from 96 to this.
VELLUMINO_DPI=${VELLUMINO_DPI:-96}

# A length from the layout in the window's pixels, rounded as Windows' MulDiv.
scale() {
    echo $((($1 * VELLUMINO_DPI + 48) / 96))
}

# A line of the layout file by its first field, without that field: "client"
# and "picture" give a width and a height; a control (Text1, Label1, Label2, a
# zone by its name) "left top width height", a zone then its cursor and the
# caption painted under it.
layout_line() {
    awk -v name="$1" '$1 == name { sub(/^[^ ]+ /, ""); print; found = 1; exit } END { exit !found }' \
        "$VELLUMINO_LAYOUT" || fail "no $1 in the layout"
}

# The zones' names, in tab order.
layout_zones() {
    awk 'NF >= 7 { print $1 }' "$VELLUMINO_LAYOUT"
}

# Where a control stands in the window's client area as "left top right
# bottom", at the screen's DPI. Each edge is scaled on its own, as the window
# places them.
layout_rect() {
    local x y w h
    read -r x y w h _ < <(layout_line "$1")
    echo "$(scale "$x") $(scale "$y") $(scale $((x + w))) $(scale $((y + h)))"
}

# The centre of a control named as for layout_rect.
zone_centre() {
    local left top right bottom
    read -r left top right bottom < <(layout_rect "$1")
    echo "$((left + (right - left) / 2)) $((top + (bottom - top) / 2))"
}

click_zone() {
    local x y
    read -r x y < <(zone_centre "$1")
    xdotool mousemove --window "$WID" "$x" "$y" click 1
}

# xclip stays behind to serve the selection until another client takes it;
# it must not hold on to the output of a $(...) that called it.
set_clipboard() {
    printf '%s' "$1" | xclip -selection clipboard -in >/dev/null 2>&1
}

# A busy owner (Wine under load) can leave a read waiting for good.
clipboard() {
    timeout 5 xclip -selection clipboard -out 2>/dev/null || true
}

# The field's text, through the program's own copy shortcut. An empty field
# copies nothing, so the read gives up after $1 seconds (default 1).
field_text() {
    set_clipboard ""
    xdotool key --window "$WID" ctrl+a ctrl+c
    wait_until "${1:-1}" clipboard_is_not "" || true
    clipboard
}

# Replaces the field's text with $1 by pasting it, as a user would.
paste_signature() {
    set_clipboard "$1"
    xdotool key --window "$WID" ctrl+a ctrl+v
}

field_is() {
    [ "$(field_text)" = "$1" ]
}

# Pastes $1 over the whole field until the field holds $2 (by default $1),
# pasting with command $3 if given, else Ctrl+A Ctrl+V: for a moment after
# another client takes the clipboard, Wine may still offer what the program
# itself last copied.
put_signature() {
    local expected=${2-$1} attempt
    for attempt in 1 2 3; do
        set_clipboard "$1"
        if [ -n "${3:-}" ]; then "$3"; else xdotool key --window "$WID" ctrl+a ctrl+v; fi
        wait_until 5 field_is "$expected" && return 0
    done
    fail "field holds '$(field_text)' after pasting '$1' three times"
}

# Waits until the field holds $1, for at most 15 seconds in all, so that a
# wrong text fails the test quickly rather than running it into its timeout.
expect_field() {
    local expected=$1 actual=""
    local deadline=$((SECONDS + 15))
    while :; do
        actual=$(field_text)
        [ "$actual" = "$expected" ] && return 0
        [ "$SECONDS" -lt "$deadline" ] || fail "field holds '$actual', expected '$expected'"
        sleep 0.1
    done
}

# Makes a scratch directory for this test, $E2E_TMP, removed on exit.
make_scratch() {
    E2E_TMP=$(mktemp -d)
    trap on_exit EXIT
}

# Puts a stand-in `xdg-open` in directory $1 that appends its arguments to the
# file $2, one line per call. With $3 seconds, it then lingers like a browser
# that takes its time. Needs make_scratch first.
recording_browser() {
    local dir=$1 log=$2 linger=${3:-}
    mkdir -p "$dir"
    : >"$log"
    {
        echo '#!/bin/sh'
        echo "printf '%s\\n' \"\$*\" >>'$log'"
        if [ -n "$linger" ]; then
            echo "echo \$\$ >>'$E2E_TMP/pids'"
            echo "exec sleep $linger </dev/null >/dev/null 2>&1"
        fi
    } >"$dir/xdg-open"
    chmod +x "$dir/xdg-open"
}

line_count() {
    wc -l <"$1"
}

# True once file $1 has at least $2 lines.
has_lines() {
    [ "$(line_count "$1")" -ge "$2" ]
}

move_to_zone() {
    local x y
    read -r x y < <(zone_centre "$1")
    xdotool mousemove --window "$WID" "$x" "$y"
}

# True once the window is $1 by $2 pixels.
window_is() {
    xdotool getwindowgeometry "$WID" | grep -q "Geometry: $1x$2\$"
}

clipboard_is() {
    [ "$(clipboard)" = "$1" ]
}

clipboard_is_not() {
    [ "$(clipboard)" != "$1" ]
}

# Waits until the clipboard holds $1.
expect_clipboard() {
    wait_until 10 clipboard_is "$1" || fail "the clipboard holds '$(clipboard)', expected '$1'"
}

# A line of /proc/PID/status in KiB, e.g. `memory_kib VmRSS`.
memory_kib() {
    awk -v key="$1:" '$1 == key { print $2 }' "/proc/$APP_PID/status"
}

now_ms() {
    echo $(($(date +%s%N) / 1000000))
}

# A short checksum of the pixels of a control (named as for layout_rect) as
# the screen shows them now; with $2 = bottom, of its lowest sixth only.
control_pixels() {
    local left top right bottom
    read -r left top right bottom < <(layout_rect "$1")
    [ "${2:-}" != bottom ] || top=$((bottom - (bottom - top) / 6))
    import -window "$WID" -crop "$((right - left))x$((bottom - top))+$left+$top" +repage rgb:- |
        sha256sum | cut -c1-16
}

control_pixels_are() {
    [ "$(control_pixels "$1")" = "$2" ]
}

# Waits until the pixels of control $1 differ from checksum $2 and hold still,
# and prints the new checksum.
expect_repaint() {
    local now last=""
    local deadline=$((SECONDS + 10))
    while :; do
        now=$(control_pixels "$1")
        if [ "$now" != "$2" ] && [ "$now" = "$last" ]; then
            echo "$now"
            return 0
        fi
        [ "$SECONDS" -lt "$deadline" ] || fail "$1 still shows what it showed before"
        last=$now
        sleep 0.1
    done
}

# The text a control would give a screen reader, where the scenario runs under
# Wine (which has the probe); empty elsewhere.
control_text() {
    [ -n "${CHILDREN_PROBE:-}" ] || return 0
    local left top right bottom
    read -r left top right bottom < <(layout_rect "$1")
    "$VELLUMINO_RUNNER" "$CHILDREN_PROBE" | tr -d '\r' |
        awk -v at="$left $top $right $bottom" '{ rect = $2 " " $3 " " $4 " " $5 } rect == at {
            sub(/^[^ ]+ [^ ]+ [^ ]+ [^ ]+ [^ ]+ ?/, ""); print; exit }'
}
