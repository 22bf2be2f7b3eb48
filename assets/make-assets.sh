#!/bin/sh
# Repaints the committed artwork in assets/ from the painter program.
#   assets/make-assets.sh            rebuild everything in place
#   assets/make-assets.sh --debug D  also write check pictures (zone overlay,
#                                    sample previews, enlarged cursor and icons) to D
# Needs: cmake, a C++20 compiler, qt6-base-dev, fonts-wqy-microhei, icoutils, imagemagick.
set -eu

here=$(cd "$(dirname "$0")" && pwd)
root=$(dirname "$here")
build="$root/build/painter"
# ImageMagick's own convert: another one earlier in PATH may not be the real thing.
convert=/usr/bin/convert

debug=
if [ "${1:-}" = "--debug" ]; then
    debug=${2:?--debug needs a folder}
fi

cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release \
    -DVELLUMINO_BUILD_PAINTER=ON -DVELLUMINO_BUILD_APP=OFF -DBUILD_TESTING=OFF >/dev/null
cmake --build "$build" --target vellumino-painter -j2

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

QT_QPA_PLATFORM=offscreen XDG_RUNTIME_DIR=${XDG_RUNTIME_DIR:-$work} "$build/assets/vellumino-painter" "$work" ${debug:+--debug "$debug"}

# The icon file: 16/24/32 px with a 256-colour palette, then 16..48 px in 32-bit.
for size in 16 24 32; do
    "$convert" "$work/icons/vellumino-$size.png" -strip PNG8:"$work/palette-$size.png"
done
icotool -c -o "$work/vellumino.ico" \
    -b 8 "$work/palette-16.png" "$work/palette-24.png" "$work/palette-32.png" \
    -b 32 "$work/icons/vellumino-16.png" "$work/icons/vellumino-24.png" \
    "$work/icons/vellumino-32.png" "$work/icons/vellumino-48.png"

images=$(icotool -l "$work/vellumino.ico" | wc -l)
if [ "$images" -ne 7 ]; then
    echo "make-assets.sh: vellumino.ico has $images images, not 7" >&2
    exit 1
fi

mkdir -p "$here/icons"
cp "$work/background.png" "$work/background@2x.png" "$work/hand.xbm" "$work/hand-mask.xbm" \
    "$work/vellumino.ico" "$here/"
for size in 16 24 32 48 192 512; do
    cp "$work/icons/vellumino-$size.png" "$here/icons/"
done
cp "$work/icons/vellumino-maskable-192.png" "$work/icons/vellumino-maskable-512.png" "$here/icons/"
icotool -l "$here/vellumino.ico"
