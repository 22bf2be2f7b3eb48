#!/usr/bin/env bash
# Over the link the server shows the 32 x 32 hand with its hot spot at (6, 0),
# scaled to the screen's DPI (and on Windows to the pointer size the user
# chose); elsewhere it does not.
source "$(dirname "$0")/lib.sh"
: "${CURSOR_PROBE:?path of cursor_probe}"

hand="$(scale 32) $(scale 32) $(scale 6) $(scale 0)"
cursor_is() {
    [ "$("$CURSOR_PROBE")" = "$1" ]
}
cursor_is_not() {
    ! cursor_is "$1"
}

start_vellumino
expect_field "个性签名"

for _ in 1 2; do
    move_to_zone Label9
    wait_until 10 cursor_is "$hand" || fail "over the link the cursor is '$("$CURSOR_PROBE")'"
    echo "over the link: $("$CURSOR_PROBE") (width height xhot yhot)"
    move_to_zone Label3
    wait_until 10 cursor_is_not "$hand" || fail "the hand stays over 加空格"
    echo "over 加空格: $("$CURSOR_PROBE")"
done

# Windows: a pointer enlarged in the settings (48 where the standard is 32)
# takes the hand with it.
if [ -n "${VELLUMINO_RUNNER:-}" ]; then
    kill "$APP_PID"
    wait "$APP_PID" 2>/dev/null || true
    key='HKCU\Control Panel\Cursors'
    "$VELLUMINO_RUNNER" reg add "$key" /v CursorBaseSize /t REG_DWORD /d 48 /f >/dev/null
    start_vellumino
    trap '"$VELLUMINO_RUNNER" reg delete "$key" /v CursorBaseSize /f >/dev/null 2>&1 || true; on_exit' EXIT
    size=$(scale 48)
    large="$size $size $(((6 * size + 16) / 32)) 0"
    move_to_zone Label9
    wait_until 10 cursor_is "$large" || fail "with a 48-pixel pointer the hand is '$("$CURSOR_PROBE")'"
    echo "over the link with a 48-pixel pointer: $("$CURSOR_PROBE")"
fi

echo "cursor: ok"
