#!/usr/bin/env bash
# What a user pastes arrives whole, up to the field's 40 UTF-16 units, and
# every command hands back every character it was given.
source "$(dirname "$0")/lib.sh"
# How 转繁体 answers on this system: "converted" by the program's own table,
# or "unchanged" where the system's mapping hands its input back (Wine).

repeat() {
    local text=$1 times=$2 out=""
    for ((; times > 0; times--)); do out+=$text; done
    printf '%s' "$out"
}

start_vellumino
expect_field "个性签名"

# Pasted over the selection, so the whole limit is free each time.
ten="一二三四五六七八九十"
paste_signature "$(repeat "$ten" 5)"
expect_field "$(repeat "$ten" 4)"
# An emoji is two units: one that would end past the limit is left out whole,
# never cut in half; one that ends on the limit fits.
paste_signature "$(repeat a 39)😀"
expect_field "$(repeat a 39)"
paste_signature "$(repeat a 38)😀z"
expect_field "$(repeat a 38)😀"
# Windows, Unix and old Mac line breaks alike: the field holds one line.
paste_signature $'one\r\ntwo\nthree\rfour'
expect_field "one two three four"
# A paste admits what typing does: Tab, Esc, U+0085 and DEL stay out.
paste_signature $'a\tb\x1bc\xc2\x85d\x7fe'
expect_field "abcde"

# Typed, invisible characters take room too: at 37 units, "b", ZWNJ and ZWJ
# fill the field, "c" and a private-use character are refused. Enter, Esc and
# Tab put nothing in.
paste_signature "$(repeat a 37)"
expect_field "$(repeat a 37)"
xdotool key --window "$WID" End
xdotool type --window "$WID" --delay 60 $'b\xe2\x80\x8c\xe2\x80\x8dc\xee\x80\x80'
expect_field "$(repeat a 37)b"$'\xe2\x80\x8c\xe2\x80\x8d'
paste_signature "ab"
expect_field "ab"
xdotool key --window "$WID" End Return Escape Tab
xdotool type --window "$WID" --delay 60 "c"
expect_field "abc"

# Outside the BMP, outside code page 936 (한), the program's own ornaments,
# and text that means something to markup.
signature="个性签名😀 <b>&amp;</b> & ↗℡╰☆ 한 爱"
clicked() {
    paste_signature "$signature"
    expect_field "$signature"
    click_zone "$1"
    expect_field "$2"
}
clicked Label4 "↗℡${signature}╰☆"
clicked Label5 "個悻签洺😀 <b>&amp;</b> & ↗℡╰☆ 한 嬡"
clicked Label6 "個性簽名😀 <b>&amp;</b> & ↗℡╰☆ 한 愛"

kill -0 "$APP_PID" || fail "the program died"
echo "characters: ok"
