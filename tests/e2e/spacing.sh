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

# Spaced or not, 转繁体 reads the same words, whichever button came first.
paste_signature "个性签名"
click_zone Label3
expect_field "个 性 签 名"
click_zone Label6
expect_field "個 性 簽 名"
paste_signature "我 的 头 发"
click_zone Label6
expect_field "我 的 頭 髮"
click_zone Label3
expect_field "我 的 頭 髮"

kill -0 "$APP_PID" || fail "the program died"
echo "spacing: ok"
