#!/usr/bin/env bash
# The setup in the suite's prefix (run through prefix.sh): its pages speak
# the user's language; /S installs the very program file the build made, with
# its shortcut and its uninstall entry; the installed program passes a
# scenario; /S again over a running Vellumino closes it and installs over it;
# by hand, it asks first, and its last page starts the program; the
# QuietUninstallString, with Vellumino running, leaves the user's files and
# registry as they were.
#
# SETUP is the setup, VELLUMINO the Vellumino.exe it must carry, SCENARIO an
# end-to-end scenario run against the installed program (the xdotool driver,
# told which by VELLUMINO_SCENARIO), VELLUMINO_VERSION the version its entry
# must show.
source "$(dirname "$0")/../scenarios/xdotool/lib.sh"
# A command that fails under set -e says which, rather than ending the test unexplained.
trap 'echo "FAIL: line $LINENO: $BASH_COMMAND" >&2' ERR
: "${SETUP:?path of the setup}" "${SCENARIO:?a scenario to run against the installed program}"
: "${VELLUMINO_VERSION:?}" "${VELLUMINO_RUNNER:?wine}"
[ -f "$SETUP" ] || fail "no $SETUP (it is built with the tests)"
built=$VELLUMINO
make_scratch

key='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Vellumino'
profile=$(wine cmd /c 'echo %USERPROFILE%' | tr -d '\r')
profile=$(winepath -u "$profile")
profile=${profile%/}
local_app=$(winepath -u "$(wine cmd /c 'echo %LOCALAPPDATA%' | tr -d '\r')")
dir=${local_app%/}/Programs/Vellumino
installed=$dir/Vellumino.exe

# Everything in the user's profile, and the user's whole registry, to compare
# before and after. Left out: the emptied folder in Temp where the uninstaller's
# copy of itself ran, which NSIS leaves for a restart or the clean-up of Temp; and
# Wine's own keys, where it notes the fonts it found at start-up; and the list
# of installed programs itself, which an earlier setup may have left empty
# in this prefix, and which the uninstaller takes away when it is. reg.exe
# writes UTF-16.
snapshot() {
    (cd "$profile" && find . -name '~nsu*.tmp' -prune -o -print | sort) >"$E2E_TMP/$1.files"
    wine reg export HKCU "Z:${E2E_TMP//\//\\}\\$1.reg" /y >/dev/null
    iconv -f UTF-16 -t UTF-8 "$E2E_TMP/$1.reg" | tr -d '\r' |
        awk '/^\[/ { wine = index($0, "[HKEY_CURRENT_USER\\Software\\Wine") == 1 }
             $0 == "[HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall]" { next }
             !wine' | cat -s >"$E2E_TMP/$1.txt"
}

# A value of the uninstall entry, as reg.exe prints it (the console's code page).
entry() {
    wine reg query "$key" /v "$1" 2>/dev/null | tr -d '\r' |
        awk -v name="$1" '$1 == name { sub(/^ *[^ ]+ +[^ ]+ +/, ""); print; exit }'
}

# A run that stopped half-way leaves its install behind; the test starts clean.
if [ -e "$dir" ] || wine reg query "$key" >/dev/null 2>&1; then
    echo "removing what an earlier run left"
    rm -rf "$dir"
    find "$profile" -name Vellumino.lnk -delete
    wine reg delete "$key" /f >/dev/null 2>&1 || true
fi

# At most a tenth bigger than the program file it carries, compressed.
size=$(stat -c %s "$SETUP") exe_size=$(stat -c %s "$built")
echo "setup $size bytes, program $exe_size bytes"
[ "$size" -le $((exe_size * 11 / 10)) ] || fail "the setup is more than 10 % bigger than the program"

# The pages speak the user's language: Chinese here, English where Windows'
# own dialogs are in English (Wine takes that from the Unix locale). Each is
# left through Cancel and yes to leaving, so nothing stays behind.
setup_title() {
    "$@" "$VELLUMINO_RUNNER" "$SETUP" &
    local pid=$! wid
    wid=$(timeout 20 xdotool search --sync --onlyvisible --name '^Vellumino ' | head -n 1) ||
        fail "the setup's window never appeared"
    # NSIS's Chinese caption ends in a space.
    xdotool getwindowname "$wid" | sed 's/ *$//' >"$E2E_TMP/title"
    xdotool key --window "$wid" Escape 2>/dev/null
    wait_until 10 eval '[ "$(xdotool search --onlyvisible --name "^Vellumino " | wc -l)" -ge 2 ]' ||
        fail "Cancel did not ask whether to leave"
    xdotool search --onlyvisible --name '^Vellumino ' | grep -vx "$wid" | xargs -r -I{} xdotool key --window {} Return 2>/dev/null || true
    wait_until 10 eval '! kill -0 $pid 2>/dev/null' || fail "the setup did not leave"
    wait "$pid" || true
}
setup_title
[ "$(cat "$E2E_TMP/title")" = "Vellumino 安装" ] || fail "on a Chinese Windows the setup is '$(cat "$E2E_TMP/title")'"
setup_title env LANG=C.UTF-8 LC_ALL=C.UTF-8
[ "$(cat "$E2E_TMP/title")" = "Vellumino Setup" ] || fail "on an English Windows the setup is '$(cat "$E2E_TMP/title")'"

snapshot before

start=$SECONDS
"$VELLUMINO_RUNNER" "$SETUP" /S || fail "the silent install failed with $?"
echo "installed in $((SECONDS - start)) s"

cmp -s "$built" "$installed" || fail "the installed Vellumino.exe is not the one built"
for file in LICENSE.txt OPENCC-LICENSE.txt Uninstall.exe; do
    [ -s "$dir/$file" ] || fail "no $file in $dir"
done
lnk=$(find "$profile" -name Vellumino.lnk)
case $lnk in
*"/Start Menu/Programs/Vellumino.lnk") ;;
*) fail "the shortcuts are '$lnk', expected the Start menu's alone" ;;
esac

# The entry Settings' list of programs shows.
[ "$(entry DisplayName)" = Vellumino ] || fail "DisplayName is '$(entry DisplayName)'"
[ "$(entry DisplayVersion)" = "$VELLUMINO_VERSION" ] || fail "DisplayVersion is '$(entry DisplayVersion)'"
for value in Publisher DisplayIcon EstimatedSize UninstallString QuietUninstallString; do
    [ -n "$(entry "$value")" ] || fail "the uninstall entry has no $value"
done
[ "$(entry EstimatedSize)" != 0x0 ] || fail "EstimatedSize is 0"
quiet=$(entry QuietUninstallString)
[[ $quiet =~ ^\"(.+)\"\ /S$ ]] || fail "QuietUninstallString is '$quiet'"
uninstaller=$(winepath -u "${BASH_REMATCH[1]}")
[ "$uninstaller" -ef "$dir/Uninstall.exe" ] || fail "QuietUninstallString names '$uninstaller'"

# Both wear the icon and a version record, as Explorer shows them.
for exe in "$SETUP" "$dir/Uninstall.exe"; do
    list=$(wrestool -l "$exe")
    grep -q -- '--type=14 ' <<<"$list" || fail "$(basename "$exe") has no icon"
    wrestool -x --raw -t 16 "$exe" | iconv -f UTF-16LE -t UTF-8 2>/dev/null | tr -c '[:print:]' ' ' |
        grep -qE "ProductVersion +$VELLUMINO_VERSION" || fail "$(basename "$exe") has no version record of $VELLUMINO_VERSION"
done

# The installed program works.
VELLUMINO=$installed "$SCENARIO" || fail "the installed program failed ${VELLUMINO_SCENARIO:-$(basename "$SCENARIO")}"

# Installing again over a running Vellumino closes it first.
VELLUMINO=$installed start_vellumino
start=$SECONDS
"$VELLUMINO_RUNNER" "$SETUP" /S || fail "installing over a running Vellumino failed with $?"
echo "installed again in $((SECONDS - start)) s"
wait_until 10 eval '! kill -0 "$APP_PID" 2>/dev/null' || fail "the running Vellumino was left open"
APP_PID=
cmp -s "$built" "$installed" || fail "the Vellumino.exe installed again is not the one built"

# By hand, the setup asks before it closes a running Vellumino, and its last
# page starts the program it installed. Enter takes each page's default
# button until the question comes.
VELLUMINO=$installed start_vellumino
"$VELLUMINO_RUNNER" "$SETUP" &
setup_pid=$!
wid=$(timeout 20 xdotool search --sync --onlyvisible --name '^Vellumino ' | head -n 1) ||
    fail "the setup's window never appeared"
asked() {
    [ "$(xdotool search --onlyvisible --name '^Vellumino ' | wc -l)" -ge 2 ]
}
for page in 1 2 3 4 5 6 7 8 9 10; do
    asked && break
    # The window may have gone to its next page, or closed, meanwhile.
    xdotool key --window "$wid" Return 2>/dev/null || true
    wait_until 1 asked || true
done
asked || fail "the setup never asked to close Vellumino"
kill -0 "$APP_PID" 2>/dev/null || fail "the setup closed Vellumino before asking"
xdotool search --onlyvisible --name '^Vellumino ' | grep -vx "$wid" | xargs -r -I{} xdotool key --window {} Return 2>/dev/null || true
wait_until 10 eval '! kill -0 "$APP_PID" 2>/dev/null' || fail "the setup did not close Vellumino once told to"
APP_PID=
# Past the copying, and the finish page with 运行 Vellumino ticked.
for page in 1 2 3 4 5; do
    wait_until 2 eval '! kill -0 $setup_pid 2>/dev/null' && break
    xdotool key --window "$wid" Return 2>/dev/null || true
done
wait "$setup_pid" || fail "the setup by hand failed with $?"
cmp -s "$built" "$installed" || fail "the Vellumino.exe installed by hand is not the one built"
WID=$(timeout 20 xdotool search --sync --onlyvisible --name '^Vellumino$' | head -n 1) ||
    fail "the finish page did not start Vellumino"

# The uninstaller copies itself away and returns at once; the copy does the
# work, and closes the running Vellumino too.
"$VELLUMINO_RUNNER" "$uninstaller" /S || fail "the silent uninstall failed with $?"
wait_until 30 eval '[ ! -e "$dir" ] && ! wine reg query "$key" >/dev/null 2>&1' ||
    fail "after the uninstall $dir holds '$(ls -A "$dir" 2>/dev/null)'"
wait_until 10 eval '[ -z "$(xdotool search --onlyvisible --name "^Vellumino\$")" ]' ||
    fail "the uninstall left Vellumino open"

snapshot after
diff "$E2E_TMP/before.files" "$E2E_TMP/after.files" || fail "the uninstall left files behind (above)"
diff "$E2E_TMP/before.txt" "$E2E_TMP/after.txt" || fail "the uninstall left the registry changed (above)"
echo "setup: ok"
