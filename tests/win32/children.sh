#!/usr/bin/env bash
# A screen reader that knows only window texts finds every zone as a button
# named after the label painted under it, the field as an edit and the two
# previews as static text that follows the field, each where the picture
# shows it at the screen's DPI, in tab order. A screen reader listening to
# the captions hears every change of their text, and the copy's
# confirmation as a live region. The window itself opens with
# its client area in the middle of the screen, and its title bar has the
# system's window menu.
source "$(dirname "$0")/../scenarios/xdotool/lib.sh"
: "${CHILDREN_PROBE:?path of children_probe.exe}"
: "${VELLUMINO_RUNNER:?wine}"
: "${DESKTOP_HELPER:?path of desktop_helper.exe}"

children() {
    "$VELLUMINO_RUNNER" "$CHILDREN_PROBE"
}

# What the probe should print while the field, the chat preview and the card
# preview hold $1, $2 and $3.
expected_children() {
    local zone label
    echo "Edit $(layout_rect Text1) $1"
    echo "Static $(layout_rect Label1) $2"
    echo "Static $(layout_rect Label2) $3"
    for zone in $(layout_zones); do
        read -r _ _ _ _ _ label < <(layout_line "$zone")
        echo "Button $(layout_rect "$zone") $label"
    done
}

children_are() {
    [ "$(children)" = "$1" ]
}

expect_children() {
    local expected
    expected=$(expected_children "$@")
    [ "$(wc -l <<<"$expected")" -eq 10 ] || fail "the layout did not give ten controls:"$'\n'"$expected"
    wait_until 10 children_are "$expected" ||
        fail "the window's controls differ from the layout (- expected, + found):"$'\n'"$(
            diff -u <(echo "$expected") <(children) | tail -n +3 | grep '^[-+]')"
}

start_vellumino
expect_field "个性签名"

# Without a window manager, Wine's X window is the client area alone.
size=$(xwininfo -id "$WID" | awk '/^ *Width:/ { w = $2 } /^ *Height:/ { h = $2 } END { print w "x" h }')
read -r width height < <(layout_line client)
[ "$size" = "$(scale "$width")x$(scale "$height")" ] ||
    fail "the client area is $size at $VELLUMINO_DPI DPI, expected $(scale "$width")x$(scale "$height")"
echo "client area: $size at $VELLUMINO_DPI DPI"

# Centred as the Linux window centres its own: the client area, not the
# frame, whose title bar would push it down. Twice the offsets, to stay in
# whole pixels; the work area is the whole screen here.
read -r left top < <(xwininfo -id "$WID" |
    awk '/Absolute upper-left X:/ { x = $4 } /Absolute upper-left Y:/ { y = $4 } END { print x, y }')
read -r screen_width screen_height < <(xwininfo -root |
    awk '/^ *Width:/ { w = $2 } /^ *Height:/ { h = $2 } END { print w, h }')
off_x=$((2 * left + $(scale "$width") - screen_width))
off_y=$((2 * top + $(scale "$height") - screen_height))
[ "${off_x#-}" -le 4 ] && [ "${off_y#-}" -le 4 ] ||
    fail "the client area's centre is ($off_x/2, $off_y/2) px off the screen's centre"
echo "client area centre: ($off_x/2, $off_y/2) px off the screen's"

menu=$("$VELLUMINO_RUNNER" "$DESKTOP_HELPER" title-menu | tr -d '\r')
[ "$menu" = menu ] || fail "a right-click on the title bar opened no window menu ($menu)"

children | sed 's/^/at start: /'
expect_children "个性签名" "" ""

make_scratch
events() {
    tr -d '\r' <"$E2E_TMP/events"
}
heard() {
    events | grep -qxF "$1"
}
"$VELLUMINO_RUNNER" "$CHILDREN_PROBE" events 30 >"$E2E_TMP/events" &
listener=$!
wait_until 15 heard listening || fail "the probe never started listening"

signature="↗℡莪哋 签洺😀 <b>&</b>╰☆"
paste_signature "$signature"
expect_field "$signature"
expect_children "$signature" "$signature" "$signature"

confirmation="QQ签名已复制、请在QQ中粘贴"
click_zone Label7
expect_clipboard "$signature"
expect_children "$signature" "$signature" "$confirmation"
children | sed 's/^/after 复制: /'

wait_until 10 heard "live Static $confirmation" ||
    fail "no live-region change announced the confirmation; heard:"$'\n'"$(events)"
heard "name Static $signature" || fail "no caption's name change was heard; heard:"$'\n'"$(events)"
# The signature is what the user typed and hears already: it is no announcement.
! heard "live Static $signature" ||
    fail "the typed signature was announced as a live region"
events | sed "s/^/heard: /"
kill "$listener" 2>/dev/null || true

kill -0 "$APP_PID" || fail "the program died"
echo "children: ok"
