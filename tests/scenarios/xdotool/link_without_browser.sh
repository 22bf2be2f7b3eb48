#!/usr/bin/env bash
# With nothing to open the page, a click on the link has no effect and the
# program carries on.
source "$(dirname "$0")/lib.sh"

make_scratch
mkdir "$E2E_TMP/empty"
# The program alone gets a PATH with nothing on it: no xdg-open, no browser.
start_vellumino env -u BROWSER -u DEFAULT_BROWSER PATH="$E2E_TMP/empty"
expect_field "个性签名"

for _ in 1 2 3; do
    click_zone Label9
done
set_clipboard "stale"
expect_clipboard "stale"
start=$(now_ms)
click_zone Label7
expect_clipboard "个性签名"
echo "copy answered $(($(now_ms) - start)) ms after three clicks on the link"
expect_field "个性签名"

kill -0 "$APP_PID" || fail "the program died"
echo "link_without_browser: ok"
