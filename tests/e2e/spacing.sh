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

# 清空, a command, then one undo gives back the empty field, not the text
# from before 清空.
click_zone Label8
expect_field ""
click_zone Label4
expect_field "↗℡╰☆"
xdotool key --window "$WID" ctrl+z
# An empty field copies nothing, which a slow copy looks like too: type a
# mark after whatever the field holds instead.
xdotool key --window "$WID" End
xdotool type --window "$WID" --delay 60 "x"
expect_field "x"

# Clicks outside the seven zones do nothing: on the previews, the portrait,
# between two buttons, on the header.
paste_signature "签名"
expect_field "签名"
set_clipboard "untouched"
outside=("$(zone_centre Label1)" "$(zone_centre Label2)" "$(zone_centre Portrait)"
    "$(scale 95) $(scale 156)" "$(scale 5) $(scale 5)")
for point in "${outside[@]}"; do
    read -r x y <<<"$point"
    xdotool mousemove --window "$WID" "$x" "$y" click 1
done
sleep 0.5
clipboard_is "untouched" || fail "a click outside the zones changed the clipboard"
expect_field "签名"

# Maximised (here, without a window manager, grown to the screen), the
# picture and the zones stay where they were, and the new space does nothing.
xdotool windowsize "$WID" 1024 768
wait_until 10 window_is 1024 768 || fail "the window was not resized"
xdotool mousemove --window "$WID" 700 500 click 1
click_zone Label3
expect_field "签 名"

kill -0 "$APP_PID" || fail "the program died"
echo "spacing: ok"
