#!/usr/bin/env bash
# What a desktop and a software centre read from the installed package: the
# validators' verdicts, and the names that must agree between the files.
source "$(dirname "$0")/lib.sh"
need desktop-file-validate appstreamcli readelf
unpack

share=$ROOT/usr/share
shopt -s nullglob
desktops=("$share"/applications/*.desktop)
[ ${#desktops[@]} -eq 1 ] || fail "expected one desktop file, found ${#desktops[@]}"
desktop=${desktops[0]}
id=$(basename "$desktop" .desktop)
metainfo=$share/metainfo/$id.metainfo.xml

desktop-file-validate "$desktop" || fail "desktop-file-validate rejects $(basename "$desktop")"
[ -f "$metainfo" ] || fail "no metainfo named after the desktop id $id"
appstreamcli validate --no-net "$metainfo" || fail "appstreamcli rejects $(basename "$metainfo")"
grep -q "<id>$id</id>" "$metainfo" || fail "the metainfo's id is not $id"
grep -q "<launchable type=\"desktop-id\">$id.desktop</launchable>" "$metainfo" ||
    fail "the metainfo does not launch $id.desktop"

# The command the menu runs is in the package, and is the hardened, stripped program.
exec_name=$(desktop_key "$desktop" Exec | cut -d' ' -f1)
program=$ROOT/usr/bin/$exec_name
[ -x "$program" ] || fail "Exec=$exec_name is not an installed program"
headers=$(readelf --wide --dynamic --program-headers --file-header --sections "$program")
grep -q 'DYN (Position-Independent Executable' <<<"$headers" || fail "$exec_name is not PIE"
grep -q 'GNU_RELRO' <<<"$headers" || fail "$exec_name has no RELRO segment"
grep -qE '\(FLAGS\).*BIND_NOW' <<<"$headers" || fail "$exec_name does not bind immediately"
! grep -qE '\] \.(symtab|debug_info) ' <<<"$headers" || fail "$exec_name is not stripped"

# The menu's icon exists at every size the theme is given, and is that size.
icon=$(desktop_key "$desktop" Icon)
for size in 16 24 32 48; do
    png=$share/icons/hicolor/${size}x${size}/apps/$icon.png
    [ -f "$png" ] || fail "no ${size}px icon $icon.png"
    # PNG: width and height are the big-endian words at bytes 16 and 20.
    read -r w h < <(od -An -tu1 -j16 -N8 "$png" |
        awk '{print $1*16777216+$2*65536+$3*256+$4, $5*16777216+$6*65536+$7*256+$8}')
    if [ "$w" != "$size" ] || [ "$h" != "$size" ]; then
        fail "the ${size}px icon is ${w}x${h}"
    fi
done

# The changelog's newest entry is this version, and the documents are where
# Debian looks for them, compressed.
version=$(dpkg-deb -f "$DEB" Version)
doc=$share/doc/$(dpkg-deb -f "$DEB" Package)
top=$(gzip -dc "$doc/changelog.gz" | head -n 1)
[[ $top == *"($version)"* ]] || fail "the changelog starts with '$top', not version $version"
grep -q '^Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/' "$doc/copyright" ||
    fail "the copyright file is not machine-readable"
gzip -t "$share/man/man1/$exec_name.1.gz" || fail "no compressed manual page for $exec_name"

# dpkg-shlibdeps ran: the Qt libraries the program links are dependencies.
dpkg-deb -f "$DEB" Depends | grep -q 'libqt6widgets6' || fail "Depends lacks the Qt libraries"
echo "package contents agree: $id"
