#!/usr/bin/env bash
# The link asks the desktop's xdg-open for the signature page once per click,
# and a browser that takes its time never holds the window up.
source "$(dirname "$0")/lib.sh"
: "${VELLUMINO_HOME_URL:?the address the program was built with}"

make_scratch
log=$E2E_TMP/opened
recording_browser "$E2E_TMP/bin" "$log" 30
start_vellumino env PATH="$E2E_TMP/bin:$PATH"
expect_field "个性签名"
# Text that looks like an address is never what gets opened.
paste_signature "https://elsewhere.example/"
expect_field "https://elsewhere.example/"

for clicks in 1 2 3; do
    click_zone Label9
    wait_until 10 has_lines "$log" "$clicks" || fail "click $clicks opened nothing"
done
# A late extra call would show up here.
sleep 1
[ "$(line_count "$log")" -eq 3 ] || fail "3 clicks opened $(line_count "$log") times"
while read -r line; do
    [ "$line" = "$VELLUMINO_HOME_URL" ] || fail "opened '$line', expected '$VELLUMINO_HOME_URL'"
done <"$log"

# The browsers are still starting up; the window answers at once.
set_clipboard "stale"
expect_clipboard "stale"
start=$(now_ms)
click_zone Label7
expect_clipboard "https://elsewhere.example/"
echo "copy answered $(($(now_ms) - start)) ms after the click, with 3 browsers still running"
expect_field "https://elsewhere.example/"

kill -0 "$APP_PID" || fail "the program died"
echo "link: ok"
