#!/usr/bin/env bash
# The link asks the desktop's xdg-open for the signature page once per click,
# and a browser that takes its time never holds the window up. The page is the
# one that ships with the program: a file on this machine, with no network.
source "$(dirname "$0")/lib.sh"
: "${VELLUMINO_SIGNATURE_PAGE:?the page the build generated}"

# The local file a browser is asked to open, from a file: URL or a path.
local_file() {
    local target=$1
    case $target in
    file://*) target=${target#file://} && target=$(printf '%b' "${target//%/\\x}") ;;
    /*) ;;
    *) return 1 ;;
    esac
    [ -f "$target" ] && echo "$target"
}

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
# The same file every time (the Windows program writes its page out over the
# last copy), and it is the page this build generated.
first=$(head -n 1 "$log")
while read -r line; do
    [ "$line" = "$first" ] || fail "opened '$line' after '$first'"
done <"$log"
page=$(local_file "$first") || fail "opened '$first', which is no file here"
cmp -s "$page" "$VELLUMINO_SIGNATURE_PAGE" || fail "opened '$page', which is not the signature page"
echo "opened $first"

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
