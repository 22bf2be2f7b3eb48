#!/usr/bin/env bash
# Usage: prefix.sh [--dpi N] DIR               make the Wine prefix in DIR, once
#        prefix.sh [--dpi N] DIR COMMAND...    run COMMAND in it, then stop its wineserver
#
# The one Wine set-up shared by the tests, the screenshot and the benchmarks: a
# private prefix that looks like a Chinese (PRC) Windows, so that the program
# meets the ANSI code page 936 and the message font "Microsoft YaHei UI" it
# would meet there. That font is not free, so Wine draws WenQuanYi Micro Hei in
# its place. The prefix is made once per build directory: wineboot is slow.
#
# Wine takes its code page from the Unix locale, and a fresh Debian has no
# zh_CN.UTF-8; it is compiled into DIR/locale and found through LOCPATH, which
# needs neither root nor an edit of /etc/locale.gen.
#
# One wineserver serves a prefix and its desktop process is tied to the X
# display it first saw, so commands hold a lock for their whole run and the
# wineserver is stopped after each: the next command starts clean on its own
# display.
#
# --dpi makes a prefix whose screen has N dots per inch (96 when not given), as
# a Windows set to 150% has 144; a prefix keeps the DPI it was made with, so
# each DPI needs its own DIR.
set -euo pipefail

dpi=96
if [ "${1:-}" = --dpi ]; then
    dpi=${2:-}
    shift 2 || true
fi
if ! [[ $dpi =~ ^[1-9][0-9]*$ ]] || [ $# -lt 1 ]; then
    echo "usage: $0 [--dpi N] DIR [COMMAND...]" >&2
    exit 2
fi
mkdir -p "$1"
dir=$(cd "$1" && pwd)
shift

# Bash hands an assigned variable to the C library only in the environment of
# what it starts, so LOCPATH comes in through a fresh start.
if [ "${LOCPATH:-}" != "$dir/locale" ]; then
    exec env -u LANGUAGE LOCPATH="$dir/locale" "$0" --dpi "$dpi" "$dir" "$@"
fi
# Once the locale exists.
use_locale() {
    export LANG=zh_CN.UTF-8 LC_ALL=zh_CN.UTF-8
}
export WINEPREFIX=$dir/prefix
# No Mono or Gecko installers popping up, no menu entries in the user's desktop.
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
# Wine's errors stay visible; its fixme chatter and Debian's hint about the
# missing 32-bit Wine (a leading -all silences that hint) do not.
export WINEDEBUG=${WINEDEBUG:--all,err+all}

# A prefix made by another version of this script or of Wine, or at another
# DPI, is made again.
stamp() {
    { sha256sum <"${BASH_SOURCE[0]}"; wine --version; echo "$dpi"; } 2>/dev/null | sha256sum | cut -d' ' -f1
}

# LOGFONTW as a .reg hex list: -12 px (9 pt at 96 dpi), normal weight,
# GB2312_CHARSET and a variable-pitch sans, as Wine writes its own defaults.
logfont_hex() {
    local face=$1 bytes="f4,ff,ff,ff,00,00,00,00,00,00,00,00,00,00,00,00,90,01,00,00,00,00,00,86,00,00,00,22"
    local i c
    for ((i = 0; i < 32; i++)); do
        c=0
        [ "$i" -lt "${#face}" ] && c=$(printf '%d' "'${face:i:1}")
        bytes+=$(printf ',%02x,00' "$c")
    done
    echo "$bytes"
}

make_prefix() {
    rm -rf "$WINEPREFIX" "$LOCPATH" "$dir/ready"
    mkdir -p "$LOCPATH"
    localedef -i zh_CN -f UTF-8 "$LOCPATH/zh_CN.UTF-8" ||
        { echo "FAIL: cannot build the zh_CN.UTF-8 locale (Debian: locales)" >&2; exit 1; }
    use_locale

    # wineboot's complaints about the missing 32-bit half and RPC are expected;
    # what matters is checked below.
    WINEDEBUG=-all wineboot -i
    cat >"$dir/settings.reg" <<EOF
REGEDIT4

[HKEY_CURRENT_USER\\Control Panel\\Desktop]
"LogPixels"=dword:$(printf '%08x' "$dpi")

[HKEY_CURRENT_USER\\Control Panel\\Desktop\\WindowMetrics]
"MessageFont"=hex:$(logfont_hex "Microsoft YaHei UI")

; The replacement gives the font family a Windows name; the substitute makes
; Wine report that name, not the one drawn, wherever the program asks for it.
[HKEY_CURRENT_USER\\Software\\Wine\\Fonts\\Replacements]
"Microsoft YaHei UI"="WenQuanYi Micro Hei"

[HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows NT\\CurrentVersion\\FontSubstitutes]
"Microsoft YaHei UI"="WenQuanYi Micro Hei"

; Menu entries are turned off, so each start would log that this failed.
[HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\RunServices]
"winemenubuilder"=-

; A crash prints its backtrace and ends the process instead of waiting on a dialog.
[HKEY_CURRENT_USER\\Software\\Wine\\WineDbg]
"ShowCrashDialog"=dword:00000000

; A web page opens in the browser, as on any Windows: Wine ties .html to its
; page type only when its own HTML engine is set up, which is turned off here.
; The page type hands it to winebrowser, which asks xdg-open.
[HKEY_CLASSES_ROOT\\.html]
@="htmlfile"

; Nothing here plays sound; probing for it only adds noise and time.
[HKEY_CURRENT_USER\\Software\\Wine\\Drivers]
"Audio"=""
EOF
    # reg.exe reports in the console code page, GBK here: not worth reading.
    wine reg import "Z:${dir//\//\\}\\settings.reg" >/dev/null
    wineserver -w

    # Wine records the code page it derived from the locale at each start.
    grep -q '^"ACP"="936"' "$WINEPREFIX/system.reg" ||
        { echo "FAIL: the prefix did not get the ANSI code page 936" >&2; exit 1; }
    grep -qx "\"LogPixels\"=dword:$(printf '%08x' "$dpi")" "$WINEPREFIX/user.reg" ||
        { echo "FAIL: the prefix did not take $dpi DPI" >&2; exit 1; }
    local font
    font=$(sed -n '/^"MessageFont"=hex:/,/[^\\]$/p' "$WINEPREFIX/user.reg" | tr -d ' \\\n')
    [ "$font" = "\"MessageFont\"=hex:$(logfont_hex "Microsoft YaHei UI")" ] ||
        { echo "FAIL: the prefix did not take the message font" >&2; exit 1; }
    stamp >"$dir/ready"
}

# Wine now and then fails to start a process at all: its first thread cannot
# have the page Windows keeps at 0x7ffe0000, because something already lies
# there in the address space the kernel laid out at random ("failed to map the
# shared user data"). Nothing of the program has run in such a process, so the
# set-up, and a command that met it, run once more. The set-up's wineboot is
# silenced, so it runs again whatever failed; its own checks would fail the
# same way twice. A command runs again only on Wine's message: any other
# failure stands.
stop_wine() {
    wineserver -k 2>/dev/null || true
    wineserver -w 2>/dev/null || true
}

# Runs the command with its errors kept in $dir/errors as well, then stops
# Wine; sets `status`.
run_command() {
    status=0
    { "$@" 9>&-; } 2> >(tee "$dir/errors" >&2) || status=$?
    local tee=$!
    stop_wine
    # tee ends once the last process holding the command's stderr is gone;
    # a straggler outside Wine is not waited for long.
    local i
    for ((i = 0; i < 50; i++)); do
        kill -0 "$tee" 2>/dev/null || break
        sleep 0.1
    done
}

exec 9>"$dir/lock"
flock 9
# A test killed at its timeout may have left Wine running on a display that is gone.
stop_wine
if [ "$(cat "$dir/ready" 2>/dev/null)" != "$(stamp)" ]; then
    echo "Making the Wine prefix $WINEPREFIX at $dpi DPI"
    start=$SECONDS
    # In the background, so that set -e still holds inside.
    make_prefix &
    if ! wait $!; then
        echo "Making the prefix failed; making it once more"
        stop_wine
        make_prefix
    fi
    echo "Wine prefix ready in $((SECONDS - start)) s"
fi
use_locale
[ $# -gt 0 ] || exit 0

run_command "$@"
if [ "$status" -ne 0 ] && grep -q 'failed to map the shared user data' "$dir/errors"; then
    echo "Wine failed to start one of the command's processes; running it once more" >&2
    run_command "$@"
fi
exit "$status"
