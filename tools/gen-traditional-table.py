#!/usr/bin/env python3
"""Generates platform/traditional_table.inc, the simplified-to-traditional
character table compiled into non-Windows builds.

Needs Debian's `opencc` (for opencc_dict) and `libopencc-data` (the .ocd2
dictionaries). Standard library only.

    python3 tools/gen-traditional-table.py [--output PATH] [--opencc-dir DIR]

Rules, applied in this order:

(a) Only characters that GBK (code page 936) writes as two bytes take part,
    as sources and as targets. Forms outside GBK are dropped before choosing;
    a source left without a form keeps itself (no entry). Python's codec is
    checked against glibc iconv (GBK and CP936) for every character looked at.
(b) Among several traditional forms, the one that OpenCC's phrase dictionary
    uses most often wins: for every phrase entry whose key holds the source,
    count the form that stands at the same position in the entry's first
    value. Positions only line up when key and first value are equally long,
    so entries of unequal length are not counted (OpenCC 1.1.6 has none).
    Ties go to the form OpenCC lists first. A source whose winner is itself
    gets no entry.
(c) A character chosen as the traditional form of another is never itself
    rewritten: its own entry is dropped. Traditional text then comes back
    unchanged and running the conversion twice equals running it once.
"""

import argparse
import collections
import os
import subprocess
import sys
import tempfile

DICTIONARIES = ("STCharacters.ocd2", "STPhrases.ocd2")
REPO = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))


def is_gbk_double_byte(char):
    if len(char) != 1:
        return False
    try:
        return len(char.encode("gbk")) == 2
    except UnicodeEncodeError:
        return False


def check_against_iconv(chars):
    """Fails unless glibc's GBK and CP936 agree with Python on every character."""
    chars = sorted(chars)
    lines = "\n".join(chars).encode("utf-8") + b"\n"
    for charset in ("GBK", "CP936"):
        # -c drops what the charset cannot write, leaving that line empty.
        result = subprocess.run(["iconv", "-c", "-f", "UTF-8", "-t", charset], input=lines,
                                capture_output=True, check=False)
        encoded = result.stdout.split(b"\n")[:-1]
        if len(encoded) != len(chars):
            sys.exit(f"iconv {charset}: expected {len(chars)} lines, got {len(encoded)}")
        for char, theirs in zip(chars, encoded):
            ours = char.encode("gbk") if is_gbk_double_byte(char) else b""
            if len(theirs) != 2:
                theirs = b""
            if ours != theirs:
                sys.exit(f"U+{ord(char):04X}: Python gbk {ours!r}, iconv {charset} {theirs!r}")


def read_dictionary(opencc_dir, name, workdir):
    text = os.path.join(workdir, name + ".txt")
    subprocess.run(["opencc_dict", "-i", os.path.join(opencc_dir, name), "-o", text,
                    "-f", "ocd2", "-t", "text"], check=True)
    with open(text, encoding="utf-8") as stream:
        for line in stream:
            line = line.rstrip("\n")
            if line:
                key, values = line.split("\t")
                yield key, values.split(" ")


def opencc_version():
    return subprocess.run(["dpkg-query", "-W", "-f", "${Version}", "libopencc-data"],
                          capture_output=True, text=True, check=True).stdout.strip()


UNEQUAL = "phrase entries of unequal length, not counted"
OUTSIDE = "sources outside GBK"
NO_FORM = "sources whose forms all lie outside GBK"
SEVERAL = "sources with several GBK forms"
CHOSE_OTHER = "  phrase count chose a form other than OpenCC's first"
CHOSE_OTHER_TIE = "    of which a tie among later forms, went to the earliest"
CONFIRMED_FIRST = "  phrase count chose OpenCC's first form"
TIED_FIRST = "  tie, OpenCC's first form kept"
ITSELF = "sources whose chosen form is the source itself"
CHAINS = "chains broken"
STATS = (UNEQUAL, OUTSIDE, NO_FORM, SEVERAL, CHOSE_OTHER, CHOSE_OTHER_TIE, CONFIRMED_FIRST, TIED_FIRST,
         ITSELF, CHAINS)


def build(characters, phrases):
    stats = collections.Counter()
    position_counts = collections.defaultdict(collections.Counter)
    for key, values in phrases:
        first = values[0]
        if len(key) != len(first):
            stats[UNEQUAL] += 1
            continue
        for simplified, traditional in zip(key, first):
            position_counts[simplified][traditional] += 1

    looked_at = set()
    chosen = {}
    for source, forms in characters:
        looked_at.add(source)
        looked_at.update(forms)
        if not is_gbk_double_byte(source):
            stats[OUTSIDE] += 1
            continue
        candidates = [form for form in forms if is_gbk_double_byte(form)]
        if not candidates:
            stats[NO_FORM] += 1
            continue
        winner = candidates[0]
        if len(candidates) > 1:
            stats[SEVERAL] += 1
            counts = position_counts[source]
            # max() keeps the first of equal keys, so a tie goes to OpenCC's order.
            winner = max(candidates, key=lambda form: counts[form])
            tied = sum(1 for form in candidates if counts[form] == counts[winner]) > 1
            if winner != candidates[0]:
                stats[CHOSE_OTHER] += 1
                if tied:
                    stats[CHOSE_OTHER_TIE] += 1
            elif tied:
                stats[TIED_FIRST] += 1
            else:
                stats[CONFIRMED_FIRST] += 1
        if winner == source:
            stats[ITSELF] += 1
            continue
        chosen[source] = winner

    targets = set(chosen.values())
    for source in sorted(chosen):
        if source in targets:
            print(f"chain broken: {source} -> {chosen[source]} dropped", file=sys.stderr)
            stats[CHAINS] += 1
            del chosen[source]
    return chosen, stats, looked_at


def write_table(path, table, version):
    with open(path, "w", encoding="utf-8", newline="\n") as out:
        out.write(f"// Generated by tools/gen-traditional-table.py from OpenCC {version} (Debian "
                  f"libopencc-data): {', '.join(DICTIONARIES)}. Do not edit.\n")
        out.write("// Derived from OpenCC's dictionaries, Copyright 2010-2022 BYVoid, licensed under the\n"
                  "// Apache License 2.0 (platform/OPENCC-LICENSE); one traditional form chosen per\n"
                  "// simplified character by the generator above.\n")
        out.write(f"// {len(table)} pairs {{simplified, traditional}}, sorted by the simplified code unit.\n")
        for source in sorted(table):
            target = table[source]
            out.write(f"{{u'\\u{ord(source):04X}', u'\\u{ord(target):04X}'}},  // {source} {target}\n")


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--output", default=os.path.join(REPO, "platform", "traditional_table.inc"))
    parser.add_argument("--opencc-dir", default="/usr/share/opencc")
    args = parser.parse_args()

    with tempfile.TemporaryDirectory() as workdir:
        characters = list(read_dictionary(args.opencc_dir, DICTIONARIES[0], workdir))
        phrases = list(read_dictionary(args.opencc_dir, DICTIONARIES[1], workdir))
    table, stats, looked_at = build(characters, phrases)
    check_against_iconv(looked_at)

    assert not set(table) & set(table.values())
    write_table(args.output, table, opencc_version())
    for name in STATS:
        print(f"{name}: {stats[name]}")
    print(f"{len(table)} entries written to {args.output}")


if __name__ == "__main__":
    main()
