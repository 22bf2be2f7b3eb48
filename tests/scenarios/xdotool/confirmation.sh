#!/usr/bin/env bash
# The hover-card caption after 复制: the confirmation, also for an empty field,
# until typing replaces it or 清空 blanks it; a caption's last, partly visible
# line is drawn to its edge; and, where another program can be made to hold
# the clipboard (Wine) or to take it first (X11), a copy that fails says so
# and changes nothing.
source "$(dirname "$0")/lib.sh"

start_vellumino
expect_field "个性签名"
blank=$(control_pixels Label2)

put_signature "签名"
typed=$(expect_repaint Label2 "$blank")

click_zone Label7
expect_clipboard "签名"
confirmed=$(expect_repaint Label2 "$typed")
[ -z "${CHILDREN_PROBE:-}" ] || [ "$(control_text Label2)" = "QQ签名已复制、请在QQ中粘贴" ] ||
    fail "after 复制 the card shows '$(control_text Label2)'"

# Typing replaces the confirmation with the signature.
xdotool key --window "$WID" End x
expect_field "签名x"
[ "$(expect_repaint Label2 "$confirmed")" != "$blank" ] || fail "typing blanked the card"

# 清空 blanks it; 复制 of the empty field empties the clipboard and confirms.
click_zone Label8
wait_until 10 control_pixels_are Label2 "$blank" || fail "清空 left the card showing something"
set_clipboard "stale"
expect_clipboard "stale"
click_zone Label7
expect_clipboard ""
wait_until 10 control_pixels_are Label2 "$confirmed" || fail "复制 of an empty field did not confirm"

# Forty characters take the chat caption to a second line that shows only
# in part: it is cut at the edge, not left out.
chat=$(control_pixels Label1 bottom)
put_signature "一二三四五六七八九十一二三四五六七八九十一二三四五六七八九十一二三四五六七八九十"
expect_repaint Label2 "$confirmed" >/dev/null
[ "$(control_pixels Label1 bottom)" != "$chat" ] || fail "the chat caption's partly visible last line is not drawn"

if [ -n "${DESKTOP_HELPER:-}" ]; then
    make_scratch
    put_signature "签名"
    set_clipboard "kept"
    expect_clipboard "kept"
    held=$(control_pixels Label2)
    "$VELLUMINO_RUNNER" "$DESKTOP_HELPER" hold-clipboard 4 >"$E2E_TMP/holder" &
    wait_until 20 grep -q holding "$E2E_TMP/holder" || fail "the helper never held the clipboard"
    click_zone Label7
    expect_repaint Label2 "$held" >/dev/null
    [ "$(control_text Label2)" = "没有复制成功，请再试一次" ] ||
        fail "a failed copy shows '$(control_text Label2)'"
    wait_until 20 grep -q released "$E2E_TMP/holder" || fail "the helper never let the clipboard go"
    expect_clipboard "kept"
    click_zone Label7
    expect_clipboard "签名"
    wait_until 10 control_pixels_are Label2 "$confirmed" || fail "the copy after a failed one did not confirm"
fi

# X11 ignores a claim on the clipboard older than the owner's. The click on
# 复制 waits while the program is stopped; the thief holds the server, the
# program goes on and sends its claim, stamped with the click's time, and the
# thief takes the clipboard before the server reads that claim.
if [ -z "${VELLUMINO_RUNNER:-}" ]; then
    : "${CLIPBOARD_THIEF:?path of clipboard_thief}"
    make_scratch
    put_signature "签名"
    held=$(control_pixels Label2)
    kill -STOP "$APP_PID"
    click_zone Label7
    "$CLIPBOARD_THIEF" 500 stolen >"$E2E_TMP/thief" &
    wait_until 10 grep -q holding "$E2E_TMP/thief" || fail "the thief never held the server"
    kill -CONT "$APP_PID"
    [ "$(expect_repaint Label2 "$held")" != "$confirmed" ] || fail "a copy the server ignored was confirmed"
    expect_clipboard "stolen"
    click_zone Label7
    expect_clipboard "签名"
    wait_until 10 control_pixels_are Label2 "$confirmed" || fail "the copy after a failed one did not confirm"
fi

kill -0 "$APP_PID" || fail "the program died"
echo "confirmation: ok"
