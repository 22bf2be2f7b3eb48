#!/usr/bin/env bash
# The editing keys act on whole characters and every paste is held to the
# limit: Shift+Insert and the field's menu like Ctrl+V, Backspace and Delete
# next to an emoji, Ctrl+Backspace on the word before the caret.
source "$(dirname "$0")/lib.sh"

start_vellumino
expect_field "个性签名"

ten="一二三四五六七八九十"
shift_insert() {
    xdotool key --window "$WID" ctrl+a shift+Insert
}
put_signature "$ten$ten"$'\n'"$ten$ten$ten" "$ten$ten ${ten}一二三四五六七八九" shift_insert

# The field's menu pastes the same way; with no text on the clipboard its
# 粘贴 (P) does nothing, and the selection it would replace stays.
menu_paste() {
    local x y
    read -r x y < <(zone_centre Text1)
    xdotool key --window "$WID" ctrl+a
    xdotool mousemove --window "$WID" "$x" "$y" click 3
    sleep 0.5
    xdotool key p
    sleep 0.3
    xdotool key Escape
}
put_signature "$ten$ten$ten$ten$ten" "$ten$ten$ten$ten" menu_paste
# The empty text comes from the program's own 复制 of an empty field, which
# the program sees at once: another client's takes Wine a moment.
click_zone Label8
click_zone Label7
expect_clipboard ""
xdotool type --window "$WID" --delay 60 "ab"
menu_paste
expect_field "ab"

# Each key takes the whole emoji it is next to, never half of it.
keys_give() {
    put_signature "$1"
    xdotool key --window "$WID" $2
    expect_field "$3"
}
keys_give "a😀😀b" "End Left BackSpace" "a😀b"
keys_give "ab😀c" "Home Right Right Delete" "abc"
keys_give "签名 abc def" "End ctrl+BackSpace" "签名 abc "
keys_give "签名 abc def" "End ctrl+BackSpace ctrl+BackSpace" "签名 "

# A command right after a Delete at the start is undone on its own.
keys_give "abc" "Home Delete" "bc"
click_zone Label4
expect_field "↗℡bc╰☆"
xdotool key --window "$WID" ctrl+z
expect_field "bc"

kill -0 "$APP_PID" || fail "the program died"
echo "editing: ok"
