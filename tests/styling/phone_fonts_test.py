#!/usr/bin/env python3
"""Every code point a style can write has a glyph in the fonts a stock
Android phone carries, as Debian packages them. Reads the styles' code
points from the program given first (style_code_points), and the fonts'
character maps with fontTools.

    phone_fonts_test.py STYLE_CODE_POINTS [--table]

With --table it prints, instead of checking, the rows of docs/styles.md:
for each style the fonts that give its code points, each from the first font
in FONTS that has it."""

import subprocess
import sys

from fontTools.ttLib import TTCollection, TTFont

NOTO = "/usr/share/fonts/truetype/noto/"
# (family as the table names it, file, family name inside a collection)
FONTS = [
    ("Noto Sans CJK SC", "/usr/share/fonts/opentype/noto/NotoSansCJK-Regular.ttc", "Noto Sans CJK SC"),
    ("Noto Sans", NOTO + "NotoSans-Regular.ttf", None),
    ("Noto Sans Symbols", NOTO + "NotoSansSymbols-Regular.ttf", None),
    ("Noto Sans Symbols 2", NOTO + "NotoSansSymbols2-Regular.ttf", None),
    ("Noto Sans Math", NOTO + "NotoSansMath-Regular.ttf", None),
    ("Noto Color Emoji", NOTO + "NotoColorEmoji.ttf", None),
]
PACKAGES = "fonts-noto-core, fonts-noto-cjk, fonts-noto-color-emoji"


def character_map(path, family):
    if family is None:
        return set(TTFont(path).getBestCmap())
    for font in TTCollection(path).fonts:
        if font["name"].getDebugName(1) == family:
            return set(font.getBestCmap())
    raise SystemExit(f"{path} holds no {family}")


def main():
    program, table = sys.argv[1], "--table" in sys.argv[2:]
    try:
        maps = [(name, character_map(path, family)) for name, path, family in FONTS]
    except FileNotFoundError as missing:
        raise SystemExit(f"{missing.filename} is missing: install {PACKAGES}")
    lines = subprocess.run([program], check=True, capture_output=True, text=True).stdout.splitlines()
    styles = [(label, [int(c, 16) for c in points.split()]) for label, points in (l.split("\t") for l in lines)]
    if len(styles) < 24 or any(not points for _, points in styles):
        raise SystemExit(f"{program} listed {len(styles)} styles, some of them writing nothing")

    if table:
        for label, points in styles:
            # For each code point the first font in FONTS that has it.
            first = {next((name for name, cmap in maps if p in cmap), "none") for p in points}
            used = [name for name, _ in maps if name in first] + (["none"] if "none" in first else [])
            print(f"| {label} | {', '.join(used)} |")
        return 0

    failures = []
    for label, points in styles:
        missing = [p for p in points if not any(p in cmap for _, cmap in maps)]
        if missing:
            failures.append(f"{label}: no glyph for " + " ".join(f"U+{p:04X} {chr(p)}" for p in missing))
    for failure in failures:
        print(failure)
    print(f"{len(styles)} styles, {len(failures)} with a code point no phone font has")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
