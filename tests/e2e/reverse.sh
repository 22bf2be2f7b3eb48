#!/usr/bin/env bash
# The reverse commands, from a right-click on the button they undo and from
# the field's own menu, take a styled signature back to plain text.
source "$(dirname "$0")/lib.sh"

# Right-clicks `$1` at its centre (a zone name, or Text1) and picks a menu
# entry with the keys that follow.
menu_pick() {
    local x y
    read -r x y < <(zone_centre "$1")
    shift
    xdotool mousemove --window "$WID" "$x" "$y" click 3
    sleep 0.5
    xdotool key "$@"
}

start_vellumino
expect_field "个性签名"

plain="我的个性签名，今天天气很好"
paste_signature "$plain"
expect_field "$plain"
click_zone Label5
expect_field "莪哋個悻签洺，妗兲兲氣佷恏"
menu_pick Label5 Down Return
expect_field "$plain"

# The field's menu ends with 火星文转简体 then 繁体转简体.
click_zone Label5
expect_field "莪哋個悻签洺，妗兲兲氣佷恏"
menu_pick Text1 Up Up Return
expect_field "$plain"

for text in "个性签名" "我们的国家"; do
    paste_signature "$text"
    expect_field "$text"
    click_zone Label6
    expect_field "$(case $text in 个性签名) echo 個性簽名 ;; *) echo 我們的國家 ;; esac)"
    menu_pick Label6 Down Return
    expect_field "$text"
    click_zone Label6
    menu_pick Text1 Up Return
    expect_field "$text"
done

# The program's own button names: phrases, not characters one by one.
paste_signature "复制粘贴个性签名"
expect_field "复制粘贴个性签名"
click_zone Label6
expect_field "複製粘貼個性簽名"
click_zone Label6
expect_field "複製粘貼個性簽名"
menu_pick Label6 Down Return
expect_field "复制粘贴个性签名"

# Taiwan's forms, and words cut apart where a phrase would straddle them.
for pair in "为了你:為了你" "进行复制:進行複製" "证书签名:證書簽名"; do
    paste_signature "${pair%%:*}"
    click_zone Label6
    expect_field "${pair#*:}"
    menu_pick Label6 Down Return
    expect_field "${pair%%:*}"
done

kill -0 "$APP_PID" || fail "the program died"
echo "reverse: ok"
