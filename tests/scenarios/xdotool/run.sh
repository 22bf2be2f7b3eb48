#!/usr/bin/env bash
# Usage: run.sh SCENARIO (or VELLUMINO_SCENARIO=SCENARIO run.sh)
# Plays one scenario of ../scenarios.txt against a desktop program: the Linux
# one, or with VELLUMINO_RUNNER the Windows one under Wine. The program gets a
# stand-in browser that records what the link asks it to open and then
# lingers, as a browser that takes its time does.
source "$(dirname "$0")/lib.sh"

scenario=${1:-${VELLUMINO_SCENARIO:?usage: run.sh SCENARIO}}
list=$(dirname "$0")/../scenarios.txt
frontend=qt
[ -z "${VELLUMINO_RUNNER:-}" ] || frontend=wine
: "${VELLUMINO_SIGNATURE_PAGE:?the page the build generated}"

# Where entry $2 stands among the window's own entries of $1's menu, from 1,
# and how many there are, from the layout the build wrote.
menu_place() {
    awk -v entry="menu $1 $2" -v name="$1" '$1 == "menu" && $2 == name { n++; if ($0 == entry) at = n }
        END { if (!at) exit 1; print at, n }' "$VELLUMINO_LAYOUT"
}

open_menu() {
    local x y
    read -r x y < <(zone_centre "$1")
    xdotool mousemove --window "$WID" "$x" "$y" click 3
    sleep 0.5
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
    xdotool key "${keys[@]}"
}

# The field's menu pastes like Ctrl+V.
menu_paste() {
    xdotool key --window "$WID" ctrl+a
    open_menu Text1
    xdotool key p
    sleep 0.3
    xdotool key Escape
}

caption_is() {
    [ "$(control_text "$1")" = "$2" ]
}

# The two captions' texts, separated by a unit separator, from the probe a
# screen reader's view comes from: one probe serves the whole scenario, since
# a Wine start per look would take longer than the scenario's steps.
captions() {
    local line chat card first="" second=""
    chat="$(layout_rect Label1) "
    card="$(layout_rect Label2) "
    echo >&"${PROBE[1]}"
    while IFS= read -r -t 10 line <&"${PROBE[0]}"; do
        line=${line%$'\r'}
        [ -n "$line" ] || break
        line=${line#* }
        case $line in
        "$chat"*) first=${line#"$chat"} ;;
        "$card"*) second=${line#"$card"} ;;
        esac
    done
    printf '%s\037%s' "$first" "$second"
}

captions_are() {
    [ "$(captions)" = "$1"$'\037'"$1" ]
}

# Only the Windows program's captions can be read, through the probe a
# screen reader's view comes from; the Linux program's are checked by its
# QtTest suites.
expect_caption() {
    [ "$frontend" = wine ] || return 0
    wait_until 10 caption_is "$1" "$2" || fail "$1 shows '$(control_text "$1")', expected '$2'"
}

expect_shown() {
    expect_field "$1"
    [ "$frontend" = wine ] || return 0
    wait_until 10 captions_are "$1" || fail "the captions show '$(captions | tr '\037' '|')', expected '$1' in both"
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

step() {
    local verb=${1%% *} rest="" words text held
    [ "$verb" = "$1" ] || rest=${1#* }
    case $verb in
    paste | paste-menu)
        decode "${rest%% => *}" text
        held=$text
        [[ $rest != *" => "* ]] || decode "${rest#* => }" held
        if [ "$verb" = paste ]; then put_signature "$text" "$held"; else put_signature "$text" "$held" menu_paste; fi
        ;;
    clipboard)
        decode "$rest" text
        set_clipboard "$text"
        expect_clipboard "$text"
        ;;
    type)
        decode "$rest" text
        xdotool type --window "$WID" --delay 60 "$text"
        ;;
    key) read -ra words <<<"$rest" && xdotool key --window "$WID" "${words[@]}" ;;
    click) click_zone "$rest" ;;
    click-at)
        read -r x y <<<"$rest"
        xdotool mousemove --window "$WID" "$(scale "$x")" "$(scale "$y")" click 1
        ;;
    menu) open_menu "$rest" ;;
    choose) menu_to "${rest%% *}" "${rest#* }" && xdotool key Return ;;
    preview) menu_to "${rest%% *}" "${rest#* }" ;;
    resize)
        read -r x y <<<"$rest"
        xdotool windowsize "$WID" "$x" "$y"
        wait_until 10 window_is "$x" "$y" || fail "the window was not resized"
        ;;
    pause) sleep "$rest" ;;
    expect)
        local what=${rest%% *}
        text=""
        [ "$what" = "$rest" ] || decode "${rest#* }" text
        case $what in
        field) expect_field "$text" ;;
        shown) expect_shown "$text" ;;
        Label1 | Label2) expect_caption "$what" "$text" ;;
        clipboard) expect_clipboard "$text" ;;
        opened) expect_opened "$text" ;;
        *) fail "no expectation '$what' here" ;;
        esac
        ;;
    *) fail "no step '$verb' for $frontend" ;;
    esac
}

make_scratch
log=$E2E_TMP/opened
recording_browser "$E2E_TMP/bin" "$log" 30
start_vellumino env PATH="$E2E_TMP/bin:$PATH"
if [ "$frontend" = wine ]; then
    coproc PROBE { exec "$VELLUMINO_RUNNER" "$CHILDREN_PROBE" serve; }
    trap 'kill "$PROBE_PID" 2>/dev/null || true; on_exit' EXIT
fi

found=""
number=0
while IFS= read -r line || [ -n "$line" ]; do
    number=$((number + 1))
    if [[ $line =~ ^\[([a-z0-9_]+)\] ]]; then
        [ -z "$found" ] || break
        [ "${BASH_REMATCH[1]}" != "$scenario" ] || found=yes
        continue
    fi
    [ -n "$found" ] && [ -n "$line" ] && [ "${line:0:1}" != "#" ] || continue
    if [[ $line =~ ^([a-z,]+):\ (.*)$ ]]; then
        [[ ,${BASH_REMATCH[1]}, == *,$frontend,* ]] || continue
        line=${BASH_REMATCH[2]}
    fi
    echo "$number: $line"
    step "$line" </dev/null
done <"$list"
[ -n "$found" ] || fail "no scenario $scenario in $list"

kill -0 "$APP_PID" || fail "the program died"
echo "$scenario: ok"
