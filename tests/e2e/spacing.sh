#!/usr/bin/env bash
# A user pastes a signature, clicks 加空格 and gets it spread out.
source "$(dirname "$0")/lib.sh"

start_vellumino
expect_field "个性签名"

paste_signature "我的签名ok"
expect_field "我的签名ok"

click_zone Label3
expect_field "我 的 签 名 o k"

# A second click changes nothing.
click_zone Label3
expect_field "我 的 签 名 o k"

# Clicks outside the zones do nothing: previews, portrait, between buttons, header.
set_clipboard "untouched"
for point in "$(zone_centre Label1)" "$(zone_centre Label2)" "$(zone_centre Portrait)" \
    "$(scale 95) $(scale 156)" "$(scale 5) $(scale 5)"; do
    read -r x y <<<"$point"
    xdotool mousemove --window "$WID" "$x" "$y" click 1
done
sleep 0.5
clipboard_is "untouched" || fail "a click outside the zones changed the clipboard"
expect_field "我 的 签 名 o k"

# Grown to the screen (maximised, without a window manager), the zones stay
# where they were and the new space does nothing.
xdotool windowsize "$WID" 1024 768
wait_until 10 window_is 1024 768 || fail "the window was not resized"
xdotool mousemove --window "$WID" 700 500 click 1
paste_signature "签名"
click_zone Label3
expect_field "签 名"

# 清空, a command, one undo: the empty field, not the text from before 清空.
# (An empty field copies nothing, as a slow copy does: type a mark after it.)
click_zone Label8
click_zone Label4
expect_field "↗℡╰☆"
xdotool key --window "$WID" ctrl+z End
xdotool type --window "$WID" --delay 60 "x"
expect_field "x"

# Spaced or not, 转繁体 reads the same words, whichever button came first.
put_signature "个性签名"
click_zone Label3
expect_field "个 性 签 名"
click_zone Label6
expect_field "個 性 簽 名"
put_signature "我 的 头 发"
click_zone Label6
expect_field "我 的 頭 髮"
click_zone Label3
expect_field "我 的 頭 髮"

kill -0 "$APP_PID" || fail "the program died"
echo "spacing: ok"
