#!/usr/bin/env bash
# Over the link the server shows the 32 x 32 hand with its hot spot at (6, 0),
# scaled to the screen's DPI; elsewhere it does not.
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

echo "cursor: ok"
