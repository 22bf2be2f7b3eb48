#!/usr/bin/env bash
# The installed program, unpacked into a scratch root, starts on a throwaway X
# server and shows its window, whose class is the one its desktop file names;
# its link opens the signature page installed beside it.
source "$(dirname "$0")/lib.sh"
need xvfb-run xdotool xprop

if [ -z "${PACKAGE_TEST_INNER:-}" ]; then
    export PACKAGE_TEST_INNER=1
    exec xvfb-run -a -s "-screen 0 1024x768x24" "$0" "$@"
fi

unpack
desktop=$(echo "$ROOT"/usr/share/applications/*.desktop)
program=$ROOT/usr/bin/$(desktop_key "$desktop" Exec | cut -d' ' -f1)

# Anything the package ships under its own lib directories is found first.
multiarch=$(dpkg-architecture -qDEB_HOST_MULTIARCH 2>/dev/null || echo x86_64-linux-gnu)
export LD_LIBRARY_PATH=$ROOT/usr/lib:$ROOT/usr/lib/$multiarch
export QT_QPA_PLATFORM=xcb
# A stand-in xdg-open records what the program asks the desktop to open.
mkdir "$ROOT/bin"
printf '#!/bin/sh\nprintf "%%s\\n" "$*" >>"%s/opened"\n' "$ROOT" >"$ROOT/bin/xdg-open"
chmod +x "$ROOT/bin/xdg-open"
PATH="$ROOT/bin:$PATH" "$program" &
pid=$!
trap 'kill "$pid" 2>/dev/null || true; rm -rf "$ROOT"' EXIT

wid=$(timeout 20 xdotool search --sync --onlyvisible --name '^Vellumino$' | head -n 1) ||
    fail "the installed program never showed its window"
kill -0 "$pid" 2>/dev/null || fail "the installed program exited"

# WM_CLASS(STRING) = "instance", "Class"
class=$(xprop -id "$wid" WM_CLASS | sed -nE 's/.*, "([^"]*)"$/\1/p')
wanted=$(desktop_key "$desktop" StartupWMClass)
[ "$class" = "$wanted" ] || fail "window class '$class', the desktop file expects '$wanted'"
echo "window $wid of class $class"

# The link, at the middle of its zone in the layout file.
read -r x y w h < <(awk '$1 == "Label9" { print $2, $3, $4, $5 }' "$VELLUMINO_LAYOUT")
xdotool mousemove --window "$wid" $((x + w / 2)) $((y + h / 2)) click 1
for _ in $(seq 100); do
    [ -s "$ROOT/opened" ] && break
    sleep 0.1
done
page=$ROOT/usr/share/vellumino/signatures.html
[ -f "$page" ] || fail "the package has no $page"
opened=$(head -n 1 "$ROOT/opened" 2>/dev/null || true)
[ "$opened" = "file://$page" ] || fail "the link opened '$opened', not file://$page"
echo "the link opens $opened"
