#!/usr/bin/env bash
# The editing keys act on whole characters and every paste is held to the
# limit: Shift+Insert and the field's menu like Ctrl+V, Backspace and Delete
# next to an emoji, Ctrl+Backspace on the word before the caret, and emoji
# sequences and accented letters kept whole at the limit.
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

# A character a person sees goes in whole at the limit or not at all,
# however many code points make it: a heart and its emoji selector, a family
# joined by ZWJ, a letter and its combining accent. Each paste would end
# past the 40 units, and each would leave a part if cut by code points.
heart=$'\xe2\x9d\xa4\xef\xb8\x8f'                                            # U+2764 U+FE0F
family=$'\xf0\x9f\x91\xa8\xe2\x80\x8d\xf0\x9f\x91\xa9\xe2\x80\x8d\xf0\x9f\x91\xa7' # man ZWJ woman ZWJ girl
accented=$'e\xcc\x81'                                                         # e U+0301
thumb=$'\xf0\x9f\x91\x8d\xf0\x9f\x8f\xbd'                                  # thumbs up, medium skin tone
a() {
    printf "%${1}s" "" | tr ' ' a
}
# Every case runs, and the scenario fails after the last with all that failed.
split=()
while IFS='|' read -r pasted kept; do
    (put_signature "$pasted" "$kept") </dev/null || split+=("pasting '$pasted' at the limit")
done <<CASES
$(a 39)$heart|$(a 39)
$(a 38)$family|$(a 38)
$(a 39)$accented|$(a 39)
CASES
# And the deleting keys take such a character whole.
while IFS='|' read -r held keys left; do
    (keys_give "$held" "$keys" "$left") </dev/null || split+=("$keys on '$held'")
done <<CASES
a$thumb|End BackSpace|a
a${family}b|Home Right Delete|ab
CASES

# Wine's EDIT moves its caret, and a selection's end, one code unit at a
# time, so Right from the start stops between the halves of the emoji (Qt's
# field never stops there, and gives the same results). Whatever goes in or
# comes out there takes the emoji whole or leaves it whole.
inside() {
    keys_give "😀b" "Home $1" "$2"
}
while IFS='|' read -r keys left; do
    (inside "$keys" "$left") </dev/null || split+=("$keys inside the emoji")
done <<CASES
Right x|😀xb
shift+Right Delete|b
shift+Right BackSpace|b
shift+Right x|xb
CASES
# A paste there; the program's own copy of the "b" is on the clipboard at once.
put_signature "😀b"
xdotool key --window "$WID" End shift+Left ctrl+c Home Right ctrl+v
(expect_field "😀bb") || split+=("a paste inside the emoji")
# Shift+Delete cuts the whole emoji from half of it, and without a selection
# does nothing at all: what was copied stays on the clipboard.
put_signature "😀b"
xdotool key --window "$WID" Home shift+Right shift+Delete
expect_clipboard "😀"
expect_field "b"
put_signature "ab"
xdotool key --window "$WID" End shift+Left ctrl+c End shift+Delete
sleep 0.5
expect_clipboard "b"
expect_field "ab"
[ ${#split[@]} -eq 0 ] || fail "characters split by: $(printf '%s; ' "${split[@]}")"

kill -0 "$APP_PID" || fail "the program died"
echo "editing: ok"
