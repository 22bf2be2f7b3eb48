#!/usr/bin/env python3
"""Generates styling/unicode/grapheme_table.inc, the property table behind the
cluster boundaries of styling/grapheme.cpp, from the Unicode Character
Database as Debian's `unicode-data` package installs it:

  auxiliary/GraphemeBreakProperty.txt   Grapheme_Cluster_Break of every code point
  emoji/emoji-data.txt                  Extended_Pictographic
  DerivedCoreProperties.txt             only to make sure it has no
                                        Indic_Conjunct_Break (see below)

Standard library only.

    python3 tools/gen-grapheme-table.py [--check] [--unicode-dir DIR]

--check compares what it would write with the committed file and fails on
any difference instead of writing.

The table holds one 4-bit property per code point: the Grapheme_Cluster_Break
value, or Extended_Pictographic (the two never overlap; checked). It is a
range table: one 32-bit entry (first code point << 4 | property) wherever the
property changes, plus an index of the first entry for each block of 256 code
points in the first two planes, so that a look-up there searches a handful of
entries. The 11,172 Hangul syllables alternate between LV and LVT every
28 code points; they are stored as one range and told apart by arithmetic
(checked against the data), which saves some 800 entries.

The boundary rules in grapheme.cpp are those of the Unicode version read
here. Unicode 15.1 added a rule for Indic conjuncts, with its property
Indic_Conjunct_Break in DerivedCoreProperties.txt; if that property shows up,
the generator stops, since the table and the code would then disagree with
the data's own GraphemeBreakTest.txt.
"""

import argparse
import os
import re
import subprocess
import sys

REPO = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
OUTPUT = "styling/unicode/grapheme_table.inc"
LAST_CODE_POINT = 0x10FFFF
BLOCK = 256
INDEXED_BLOCKS = 0x20000 // BLOCK
HANGUL_FIRST, HANGUL_LAST, HANGUL_T_COUNT = 0xAC00, 0xD7A3, 28

# The names grapheme.cpp gives the values, in the order of its enum.
PROPERTIES = ("Other", "CR", "LF", "Control", "Extend", "ZWJ", "RegionalIndicator", "Prepend", "SpacingMark",
              "L", "V", "T", "LV", "LVT", "ExtendedPictographic", "HangulSyllable")
DATA_NAMES = {"Regional_Indicator": "RegionalIndicator", "Extended_Pictographic": "ExtendedPictographic"}
MAX_BYTES = 8192


def read_ranges(path, only=None):
    """Yields (first, last, value) for every data line of a UCD file."""
    with open(path, encoding="utf-8") as stream:
        for line in stream:
            data = line.split("#", 1)[0].strip()
            if not data:
                continue
            fields = [field.strip() for field in data.split(";")]
            if only is not None and fields[1] != only:
                continue
            first, _, last = fields[0].partition("..")
            yield int(first, 16), int(last or first, 16), fields[1]


def file_version(path):
    """The version in a UCD file's first line: '# GraphemeBreakProperty-15.0.0.txt'."""
    with open(path, encoding="utf-8") as stream:
        match = re.match(r"# \S+-(\d+\.\d+\.\d+)\.txt", stream.readline())
    if not match:
        sys.exit(f"{path}: no version in its first line")
    return match.group(1)


def emoji_version(path):
    with open(path, encoding="utf-8") as stream:
        for line in stream:
            match = re.match(r"# Used with Emoji Version (\d+\.\d+)", line)
            if match:
                return match.group(1)
    sys.exit(f"{path}: no emoji version")


def package_version(package):
    return subprocess.run(["dpkg-query", "-W", "-f", "${Version}", package],
                          capture_output=True, text=True, check=True).stdout.strip()


def properties(unicode_dir):
    """One property name per code point."""
    values = [None] * (LAST_CODE_POINT + 1)
    for first, last, value in read_ranges(os.path.join(unicode_dir, "auxiliary/GraphemeBreakProperty.txt")):
        for code_point in range(first, last + 1):
            if values[code_point] is not None:
                sys.exit(f"U+{code_point:04X} has two Grapheme_Cluster_Break values")
            values[code_point] = DATA_NAMES.get(value, value)
    values = [value or "Other" for value in values]

    for first, last, value in read_ranges(os.path.join(unicode_dir, "emoji/emoji-data.txt"), "Extended_Pictographic"):
        for code_point in range(first, last + 1):
            if values[code_point] != "Other":
                sys.exit(f"U+{code_point:04X} is Extended_Pictographic and {values[code_point]}: "
                         "one value per code point no longer holds")
            values[code_point] = "ExtendedPictographic"

    for code_point in range(LAST_CODE_POINT + 1):
        hangul = HANGUL_FIRST <= code_point <= HANGUL_LAST
        if values[code_point] in ("LV", "LVT") or hangul:
            expected = "LV" if (code_point - HANGUL_FIRST) % HANGUL_T_COUNT == 0 else "LVT"
            if not hangul or values[code_point] != expected:
                sys.exit(f"U+{code_point:04X} is {values[code_point]}: LV and LVT no longer follow the syllables' order")
            values[code_point] = "HangulSyllable"

    unknown = set(values) - set(PROPERTIES)
    if unknown:
        sys.exit(f"values grapheme.cpp does not know: {', '.join(sorted(unknown))}")
    return values


def ranges(values):
    """(first code point, property) wherever the property changes."""
    found = [(0, values[0])]
    for code_point in range(1, LAST_CODE_POINT + 1):
        if values[code_point] != values[code_point - 1]:
            found.append((code_point, values[code_point]))
    return found


def block_index(found):
    """For each indexed block, the index of the range holding its first code point."""
    index = []
    at = 0
    for block in range(INDEXED_BLOCKS + 1):
        start = block * BLOCK
        while at + 1 < len(found) and found[at + 1][0] <= start:
            at += 1
        index.append(at)
    return index


def text(found, index, version, emoji, package):
    lines = [
        f"// Generated by tools/gen-grapheme-table.py from the Unicode Character Database {version}",
        f"// (Debian unicode-data {package}): auxiliary/GraphemeBreakProperty.txt and, for",
        f"// Extended_Pictographic, emoji/emoji-data.txt (Unicode Emoji {emoji}). Do not edit.",
        "// Derived from Unicode's data files, Copyright 1991-2022 Unicode, Inc., under the",
        "// Unicode licence for data files (styling/unicode/UNICODE-LICENSE); the properties",
        "// are repacked into ranges, the Hangul syllables' LV and LVT into one.",
        f"// {len(found)} ranges, {len(index)} block entries: "
        f"{4 * len(found) + 2 * len(index)} bytes.",
        "",
        "// Where a property starts: first code point << 4 | property; sorted, the first at 0.",
        "inline constexpr std::uint32_t kPropertyRanges[] = {",
    ]
    for first, value in found:
        lines.append(f"    Range(0x{first:06X}, {value}),")
    lines.append("};")
    lines.append("")
    lines.append(f"// For each block of {BLOCK} code points below U+{INDEXED_BLOCKS * BLOCK:X}, and one past them,")
    lines.append("// the range that holds the block's first code point.")
    lines.append("inline constexpr std::uint16_t kBlockRanges[] = {")
    for row in range(0, len(index), 16):
        lines.append("    " + " ".join(f"{value}," for value in index[row:row + 16]))
    lines.append("};")
    return "\n".join(lines) + "\n"


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--check", action="store_true", help="compare with the committed file instead of writing it")
    parser.add_argument("--unicode-dir", default="/usr/share/unicode")
    args = parser.parse_args()

    break_property = os.path.join(args.unicode_dir, "auxiliary/GraphemeBreakProperty.txt")
    derived = os.path.join(args.unicode_dir, "DerivedCoreProperties.txt")
    version = file_version(break_property)
    if file_version(derived) != version:
        sys.exit(f"{derived} is of another Unicode version than {break_property}")
    if any(True for _ in read_ranges(derived, "InCB")):
        sys.exit(f"{derived} has Indic_Conjunct_Break: Unicode {version} has the conjunct rule, "
                 "which grapheme.cpp does not apply yet")

    found = ranges(properties(args.unicode_dir))
    index = block_index(found)
    if max(index) >= 1 << 16:
        sys.exit("the block index no longer fits 16 bits")
    size = 4 * len(found) + 2 * len(index)
    print(f"Unicode {version}: {len(found)} ranges, {len(index)} block entries, {size} bytes")
    if size > MAX_BYTES:
        sys.exit(f"the table takes {size} bytes, more than {MAX_BYTES}")

    output = text(found, index, version, emoji_version(os.path.join(args.unicode_dir, "emoji/emoji-data.txt")),
                  package_version("unicode-data"))
    full = os.path.join(REPO, OUTPUT)
    if args.check:
        if not os.path.exists(full):
            sys.exit(f"{OUTPUT} is missing")
        with open(full, encoding="utf-8", newline="") as stream:
            if stream.read() != output:
                sys.exit(f"differs from what the generator makes: {OUTPUT}")
        print("the committed table is what the generator makes")
    else:
        with open(full, "w", encoding="utf-8", newline="\n") as out:
            out.write(output)
        print(f"written: {OUTPUT}")


if __name__ == "__main__":
    main()
