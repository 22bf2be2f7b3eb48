#!/usr/bin/env bash
# Usage: screenshot-dark.sh PROGRAM OUTPUT.png [SIGNATURE]
# The window as a desktop with a dark Qt palette shows it: qt6ct's "darker"
# colour scheme, set up in a private configuration folder.
set -euo pipefail

program=$1 output=$2
config=$(mktemp -d)
trap 'rm -rf "$config"' EXIT
mkdir -p "$config/qt6ct"
cat >"$config/qt6ct/qt6ct.conf" <<CONF
[Appearance]
color_scheme_path=/usr/share/qt6ct/colors/darker.conf
custom_palette=true
style=Fusion
CONF
XDG_CONFIG_HOME=$config QT_QPA_PLATFORMTHEME=qt6ct \
    "$(dirname "$0")/screenshot.sh" "$program" "$output" 1 "${3:-签名 signature ✿}"
