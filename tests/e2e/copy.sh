#!/usr/bin/env bash
# 复制 puts exactly the field's text on the clipboard, also after another
# program has taken the clipboard over, and 清空 leaves the clipboard alone.
source "$(dirname "$0")/lib.sh"

start_vellumino
expect_field "个性签名"

signature="↗℡莪哋 签洺😀 <b>&</b>╰☆"
paste_signature "$signature"
expect_field "$signature"

set_clipboard "stale"
expect_clipboard "stale"
click_zone Label7
expect_clipboard "$signature"

# Another program takes the clipboard between copies; each copy takes it back.
for round in 1 2 3 4 5; do
    set_clipboard "taken over $round"
    expect_clipboard "taken over $round"
    click_zone Label7
    expect_clipboard "$signature"
done
kill -0 "$APP_PID" || fail "the program died"

# Clearing keeps what was copied; the copy after it finds the field empty.
click_zone Label8
sleep 0.5
expect_clipboard "$signature"
click_zone Label7
expect_clipboard ""

kill -0 "$APP_PID" || fail "the program died"
echo "copy: ok"
