#!/usr/bin/env bash
# Under a dark desktop scheme the skin keeps its own colours: the field white
# with black text, the chat caption black on the picture. The frame around
# the picture follows the scheme, which shows that it took effect.
source "$(dirname "$0")/../scenarios/xdotool/lib.sh"
: "${DESKTOP_HELPER:?path of desktop_helper.exe}"

[ "$("$VELLUMINO_RUNNER" "$DESKTOP_HELPER" dark-colours | tr -d '\r')" = dark ] ||
    fail "the helper could not switch to dark colours"
make_scratch
start_vellumino
expect_field "个性签名"
blank=$(control_pixels Label1)
paste_signature "签名签名"
expect_field "签名签名"
expect_repaint Label1 "$blank" >/dev/null

read -r width height < <(layout_line client)
xdotool windowsize --sync "$WID" "$(scale $((width + 40)))" "$(scale $((height + 40)))" 2>/dev/null || true
sleep 1
image=$E2E_TMP/window.png
import -window "$WID" "$image"

# The colour at x y as "R G B".
colour_at() {
    convert "$image" -format "%[fx:int(255*p{$1,$2}.r)] %[fx:int(255*p{$1,$2}.g)] %[fx:int(255*p{$1,$2}.b)]" info:
}
# The darkest grey level within a control's rectangle.
darkest_in() {
    local left top right bottom
    read -r left top right bottom < <(layout_rect "$1")
    convert "$image" -crop "$((right - left))x$((bottom - top))+$left+$top" -colorspace gray \
        -format "%[fx:int(255*minima)]" info:
}

read -r left top right bottom < <(layout_rect Text1)
beyond=$(colour_at "$(scale $((width + 20)))" "$(scale $((height / 2)))")
field=$(colour_at $((right - 4)) $(((top + bottom) / 2)))
echo "beyond the picture: $beyond; field background: $field"
echo "darkest in the field: $(darkest_in Text1); in the chat caption: $(darkest_in Label1)"
[ "$beyond" = "48 48 48" ] || fail "the dark scheme did not reach the program (beyond the picture: $beyond)"
[ "$field" = "255 255 255" ] || fail "the field's background is $field, not white"
[ "$(darkest_in Text1)" -lt 40 ] || fail "the field's text is not black"
[ "$(darkest_in Label1)" -lt 40 ] || fail "the chat caption's text is not black"

kill -0 "$APP_PID" || fail "the program died"
echo "colours: ok"
