#!/usr/bin/env bash
# Usage: run.sh SCENARIO (or VELLUMINO_SCENARIO=SCENARIO run.sh)
# Plays one scenario of ../scenarios.txt, as ../scenarios.py reads it, against
# a desktop program: the Linux one, or with VELLUMINO_RUNNER the Windows one
# under Wine. The program gets a stand-in browser that records what the link
# asks it to open and then lingers, as a browser that takes its time does.
source "$(dirname "$0")/lib.sh"

scenario=${1:-${VELLUMINO_SCENARIO:?usage: run.sh SCENARIO}}
frontend=qt
[ -z "${VELLUMINO_RUNNER:-}" ] || frontend=wine
: "${VELLUMINO_SIGNATURE_PAGE:?the page the build generated}"

# Where entry $2 stands among the window's own entries of $1's menu, from 1,
# and how many there are, from the layout the build wrote.
menu_place() {
    awk -v entry="menu $1 $2" -v name="$1" '$1 == "menu" && $2 == name { n++; if ($0 == entry) at = n }
        END { if (!at) exit 1; print at, n }' "$VELLUMINO_LAYOUT"
}

# An open menu holds the keyboard: keys go to it, not to the window.
menu_open=""
open_menu() {
    local x y
    read -r x y < <(zone_centre "$1")
    xdotool mousemove --window "$WID" "$x" "$y" click 3
    sleep 0.5
    menu_open=yes
}

press() {
    if [ -n "$menu_open" ]; then xdotool key "$@"; else xdotool key --window "$WID" "$@"; fi
    case " $* " in *" Escape "* | *" Return "*) menu_open="" ;; esac
}

# Opens $1's menu and moves to entry $2 with the arrow keys: a zone's menu
# holds the window's entries alone, the field's ends with them.
menu_to() {
    local at count keys=()
    read -r at count < <(menu_place "$1" "$2") || fail "$1's menu has no entry $2"
    open_menu "$1"
    if [ "$1" = Text1 ]; then
        for ((; at <= count; at++)); do keys+=(Up); done
    else
        for (( ; at > 0; at--)); do keys+=(Down); done
    fi
    press "${keys[@]}"
}

# The field's menu pastes like Ctrl+V.
menu_paste() {
    xdotool key --window "$WID" ctrl+a
    open_menu Text1
    press p
    sleep 0.3
    press Escape
}

# The captions' texts, "CHAT<US>CARD", from the probe a screen reader's view
# comes from: one probe serves the whole scenario, as a Wine start per look
# would take longer than the steps.
captions() {
    local line chat card first="" second=""
    chat="$(layout_rect Label1) "
    card="$(layout_rect Label2) "
    echo >&"${PROBE[1]}"
    while IFS= read -r -t 10 line <&"${PROBE[0]}" && line=${line%$'\r'} && [ -n "$line" ]; do
        line=${line#* }
        case $line in "$chat"*) first=${line#"$chat"} ;; "$card"*) second=${line#"$card"} ;; esac
    done
    printf '%s\037%s' "$first" "$second"
}

# Caption $1 (Label1, Label2 or both) shows $2.
captions_show() {
    local seen
    seen=$(captions)
    case $1 in
    Label1) [ "${seen%$'\037'*}" = "$2" ] ;;
    Label2) [ "${seen#*$'\037'}" = "$2" ] ;;
    *) [ "$seen" = "$2"$'\037'"$2" ] ;;
    esac
}

# Only the Windows program's captions can be read here; the Linux program's
# are checked by its QtTest suites.
expect_caption() {
    [ "$frontend" = wine ] || return 0
    wait_until 10 captions_show "$1" "$2" || fail "the captions show '$(captions | tr '\037' '|')', $1 expected '$2'"
}

expect_shown() {
    expect_field "$1"
    expect_caption both "$1"
}

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

# The link opened the page $1 more times since the last look, a late extra
# call included, each time the same file (the Windows program writes its page
# out over the last copy), and that is the page this build generated.
opened=0
expect_opened() {
    local expected=$((opened + $1)) first line page
    wait_until 10 has_lines "$log" "$expected" || fail "$(line_count "$log") pages opened, expected $expected"
    sleep 1
    [ "$(line_count "$log")" -eq "$expected" ] || fail "$(line_count "$log") pages opened, expected $expected"
    first=$(head -n 1 "$log")
    while read -r line; do
        [ "$line" = "$first" ] || fail "opened '$line' after '$first'"
    done <"$log"
    page=$(local_file "$first") || fail "opened '$first', which is no file here"
    cmp -s "$page" "$VELLUMINO_SIGNATURE_PAGE" || fail "opened '$page', which is not the signature page"
    opened=$expected
}

# One step: $1 the verb, $2 its text; with $3 "=>", the field and the
# captions then show $4.
step() {
    local verb=$1 text=$2 first=${2%% *} after=""
    [ "$first" = "$text" ] || after=${text#* }
    case $verb in
    paste) put_signature "$text" ${3:+"$4"} ;;
    paste-menu) put_signature "$text" "$4" menu_paste ;;
    clipboard) set_clipboard "$text" && expect_clipboard "$text" ;;
    type) xdotool type --window "$WID" --delay 60 "$text" ;;
    key) press $text ;;
    click) click_zone "$text" ;;
    click-at) xdotool mousemove --window "$WID" "$(scale "$first")" "$(scale "$after")" click 1 ;;
    menu) open_menu "$text" ;;
    choose) menu_to "$first" "$after" && press Return ;;
    preview) menu_to "$first" "$after" ;;
    resize)
        xdotool windowsize "$WID" "$first" "$after"
        wait_until 10 window_is "$first" "$after" || fail "the window was not resized"
        ;;
    pause) sleep "$text" ;;
    expect)
        case $first in
        field) expect_field "$after" ;;
        shown) expect_shown "$after" ;;
        Label1 | Label2) expect_caption "$first" "$after" ;;
        clipboard) expect_clipboard "$after" ;;
        opened) expect_opened "$after" ;;
        *) fail "no expectation '$first' here" ;;
        esac
        ;;
    *) fail "no step '$verb' for $frontend" ;;
    esac
    # A paste has waited for the field already.
    if [ -n "$3" ]; then
        case $verb in paste*) expect_caption both "$4" ;; *) expect_shown "$4" ;; esac
    fi
}

make_scratch
log=$E2E_TMP/opened
recording_browser "$E2E_TMP/bin" "$log" 30
if grep -q "^\[$scenario\] .*no-browser" "$(dirname "$0")/../scenarios.txt"; then
    # The program alone gets a PATH with nothing on it: no xdg-open, no browser.
    mkdir "$E2E_TMP/empty"
    start_vellumino env -u BROWSER -u DEFAULT_BROWSER PATH="$E2E_TMP/empty"
else
    start_vellumino env PATH="$E2E_TMP/bin:$PATH"
fi
if [ "$frontend" = wine ]; then
    coproc PROBE { exec "$VELLUMINO_RUNNER" "$CHILDREN_PROBE" serve; }
    trap 'kill "$PROBE_PID" 2>/dev/null || true; on_exit' EXIT
fi

played=0
while IFS= read -r -d '' number && IFS= read -r -d '' verb && IFS= read -r -d '' text &&
    IFS= read -r -d '' then && IFS= read -r -d '' result; do
    echo "$number: $verb $text${then:+ => $result}"
    step "$verb" "$text" "$then" "$result" </dev/null
    played=$((played + 1))
done < <(python3 "$(dirname "$0")/../scenarios.py" steps "$scenario" "$frontend")
[ "$played" -gt 0 ] || fail "scenario $scenario has no steps here"

kill -0 "$APP_PID" || fail "the program died"
echo "$scenario: ok"
