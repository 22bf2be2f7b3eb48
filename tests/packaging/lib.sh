# shellcheck shell=bash
# Shared by the package checks: find the .deb that packaging.build made and
# unpack it into a scratch root, as dpkg would install it.

set -euo pipefail

: "${VELLUMINO_DEB_DIR:?directory holding the package under test}"

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

# A missing tool skips the check (exit 77) rather than failing it; `make test`
# installs them all.
need() {
    local tool
    for tool in "$@"; do
        command -v "$tool" >/dev/null || {
            echo "SKIP: $tool is not installed" >&2
            exit 77
        }
    done
}

DEB=$(echo "$VELLUMINO_DEB_DIR"/*.deb)
[ -f "$DEB" ] || fail "no package in $VELLUMINO_DEB_DIR"

# Unpacks the package into a fresh directory, removed on exit; sets ROOT.
unpack() {
    ROOT=$(mktemp -d)
    trap 'rm -rf "$ROOT"' EXIT
    dpkg-deb -x "$DEB" "$ROOT"
}

# The value of a key in the [Desktop Entry] group of a desktop file.
desktop_key() {
    sed -n "s/^$2=//p" "$1" | head -n 1
}
