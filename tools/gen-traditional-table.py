#!/usr/bin/env python3
"""Generates the character tables that come from OpenCC's dictionaries:

  platform/traditional_table.inc  simplified to traditional, for non-Windows builds
  platform/simplified_table.inc   traditional to simplified, for non-Windows builds
  styling/martian_preferred.inc   the Martian lookalikes that go back to a key
                                  other than the first one listed for them

Needs Debian's `opencc` (for opencc_dict) and `libopencc-data` (the .ocd2
dictionaries) and glibc's iconv. Standard library only.

    python3 tools/gen-traditional-table.py [--check] [--opencc-dir DIR]

--check compares what it would write with the committed files and fails on
any difference instead of writing.

Rules for the two conversion tables, applied in this order:

(a) Only characters that GBK (code page 936) writes as two bytes take part,
    as sources and as targets. Forms outside GBK are dropped before choosing;
    a source left without a form keeps itself (no entry). Python's codec is
    checked against glibc iconv (GBK and CP936) for every character looked at.
(b) Among several forms, the one that OpenCC's phrase dictionaries use most
    often wins: for every phrase whose source holds the character, count the
    form that stands at the same position in the phrase's converted form
    (the entry's first value). Positions only line up when both are equally
    long, so phrases of unequal length are not counted (OpenCC 1.1.6 has
    none). Ties go to the form OpenCC lists first. A source whose winner is
    itself gets no entry.
    Simplified to traditional counts STPhrases. Traditional to simplified
    counts TSPhrases and STPhrases read backwards (each entry's first value as
    the traditional phrase, its key as the simplified one): TSPhrases only
    lists the words where OpenCC's converter departs from its character
    table, so counted alone it votes for those exceptions, and 於, 乾, 麼,
    畫 and 徵 would win over 于, 干, 么, 画 and 征, the forms that OpenCC
    itself writes for them in nearly all of its words.
(c) A character chosen as the form of another is never itself rewritten: its
    own entry is dropped. Converted text then comes back unchanged and
    running the conversion twice equals running it once.

The generator also prints the simplified characters that do not come back
from a trip to traditional and back: the GBK characters that the simplified
table leaves alone (simplified text), whose traditional form the simplified
table turns into something else, or leaves as it is.

Rule for the Martian lookalikes (styling/martian_map.h) shared by several
keys:

(d) A key is the lookalike's standard form when OpenCC, given the lookalike
    alone, writes that key: through TSCharacters (traditional to simplified),
    or through a variant dictionary that takes a regional form back to
    OpenCC's standard one (TWVariantsRev, HKVariantsRev, JPVariantsRev),
    alone or followed by TSCharacters. Every form those dictionaries list
    counts, in their order, and the first that is a key of the lookalike
    wins. Phrase dictionaries do not count, since they only rewrite a
    character inside the words they list, and nor do the variant dictionaries
    that lead from the standard form to a regional one. A lookalike with no
    key among its standard forms goes back to the key listed first.
    Only the lookalikes whose winner is not the first-listed key are written.
"""

import argparse
import collections
import os
import re
import subprocess
import sys
import tempfile

REPO = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
SCRIPT = "tools/gen-traditional-table.py"

TRADITIONAL_OUTPUT = "platform/traditional_table.inc"
SIMPLIFIED_OUTPUT = "platform/simplified_table.inc"
MARTIAN_OUTPUT = "styling/martian_preferred.inc"
MARTIAN_MAP = "styling/martian_map.h"

ST_CHARACTERS, ST_PHRASES = "STCharacters.ocd2", "STPhrases.ocd2"
TS_CHARACTERS, TS_PHRASES = "TSCharacters.ocd2", "TSPhrases.ocd2"
VARIANTS_TO_STANDARD = ("TWVariantsRev.ocd2", "HKVariantsRev.ocd2", "JPVariantsRev.ocd2")


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
    entries = []
    with open(text, encoding="utf-8") as stream:
        for line in stream:
            line = line.rstrip("\n")
            if line:
                key, values = line.split("\t")
                entries.append((key, values.split(" ")))
    return entries


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
    """characters: OpenCC character entries; phrases: (source, converted) pairs."""
    stats = collections.Counter()
    position_counts = collections.defaultdict(collections.Counter)
    for source, converted in phrases:
        if len(source) != len(converted):
            stats[UNEQUAL] += 1
            continue
        for char, form in zip(source, converted):
            position_counts[char][form] += 1

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
    assert not set(chosen) & set(chosen.values())
    return chosen, stats, looked_at


def forward(entries):
    return [(key, values[0]) for key, values in entries]


def backward(entries):
    return [(values[0], key) for key, values in entries]


def round_trip_failures(traditional, simplified):
    """Simplified characters that a trip to traditional and back changes."""
    failures = []
    for source in sorted(traditional):
        if source in simplified:
            continue  # the simplified table rewrites it: not simplified text
        back = simplified.get(traditional[source], traditional[source])
        if back != source:
            failures.append((source, traditional[source], back))
    return failures


def read_martian_map():
    with open(os.path.join(REPO, MARTIAN_MAP), encoding="utf-8") as stream:
        text = stream.read()
    declared = int(re.search(r"std::array<MartianEntry, (\d+)> MartianMap", text).group(1))
    entries = re.findall(r"\{u'(.)', u'(.)'\}", text)
    if len(entries) != declared:
        sys.exit(f"{MARTIAN_MAP}: read {len(entries)} entries, the array holds {declared}")
    return entries


def standard_forms(char, ts_characters, variants_to_standard):
    """Every form OpenCC writes for `char` alone, per rule (d), in order."""
    forms = list(ts_characters.get(char, []))
    for dictionary in variants_to_standard:
        for standard in dictionary.get(char, []):
            forms.append(standard)
            forms.extend(ts_characters.get(standard, []))
    return list(dict.fromkeys(forms))


def preferred_keys(martian, ts_characters, variants_to_standard):
    """{lookalike: (winning key, all keys in listed order)} where the winner is not listed first."""
    keys_of = collections.defaultdict(list)
    for key, lookalike in martian:
        keys_of[lookalike].append(key)
    preferred = {}
    for lookalike, keys in keys_of.items():
        if len(keys) < 2:
            continue
        forms = standard_forms(lookalike, ts_characters, variants_to_standard)
        winner = next((form for form in forms if form in keys), keys[0])
        if winner != keys[0]:
            preferred[lookalike] = (winner, keys)
    losers = [key for lookalike, keys in keys_of.items() if len(keys) > 1
              for key in keys if key != preferred.get(lookalike, (keys[0],))[0]]
    return preferred, keys_of, losers


LICENCE = ("// Derived from OpenCC's dictionaries, Copyright 2010-2022 BYVoid, licensed under the\n"
           "// Apache License 2.0 (platform/OPENCC-LICENSE); {what}\n")


def provenance(version, sources):
    return (f"// Generated by {SCRIPT} from OpenCC {version} (Debian libopencc-data): "
            f"{', '.join(sources)}. Do not edit.\n")


def pair_line(first, second, comment):
    return f"{{u'\\u{ord(first):04X}', u'\\u{ord(second):04X}'}},  // {comment}\n"


def traditional_text(table, version):
    text = provenance(version, (ST_CHARACTERS, ST_PHRASES))
    text += LICENCE.format(what="one traditional form chosen per\n"
                                "// simplified character by the generator above.")
    text += f"// {len(table)} pairs {{simplified, traditional}}, sorted by the simplified code unit.\n"
    for source in sorted(table):
        text += pair_line(source, table[source], f"{source} {table[source]}")
    return text


def simplified_text(table, version):
    text = provenance(version, (TS_CHARACTERS, TS_PHRASES, ST_PHRASES))
    text += LICENCE.format(what="one simplified form chosen per\n"
                                "// traditional character by the generator above.")
    text += f"// {len(table)} pairs {{traditional, simplified}}, sorted by the traditional code unit.\n"
    for source in sorted(table):
        text += pair_line(source, table[source], f"{source} {table[source]}")
    return text


def martian_text(preferred, version):
    text = provenance(version, (TS_CHARACTERS,) + VARIANTS_TO_STANDARD)
    text += LICENCE.format(what="the keys chosen by the generator\n"
                                "// above.")
    text += (f"// {len(preferred)} Martian lookalikes {{lookalike, key}} shared by several keys of\n"
             f"// {MARTIAN_MAP}, whose simplified or standard form is a key other than the\n"
             f"// first one listed for them; sorted by the lookalike.\n")
    for lookalike in sorted(preferred):
        key, keys = preferred[lookalike]
        text += pair_line(lookalike, key, f"{lookalike} {key} (of {' '.join(keys)})")
    return text


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--check", action="store_true",
                        help="compare with the committed files instead of writing them")
    parser.add_argument("--opencc-dir", default="/usr/share/opencc")
    args = parser.parse_args()

    names = (ST_CHARACTERS, ST_PHRASES, TS_CHARACTERS, TS_PHRASES) + VARIANTS_TO_STANDARD
    with tempfile.TemporaryDirectory() as workdir:
        dictionaries = {name: read_dictionary(args.opencc_dir, name, workdir) for name in names}
    st_phrases = dictionaries[ST_PHRASES]

    print("simplified to traditional:")
    traditional, stats, looked_at = build(dictionaries[ST_CHARACTERS], forward(st_phrases))
    for name in STATS:
        print(f"  {name}: {stats[name]}")
    print("traditional to simplified:")
    simplified, stats, seen = build(dictionaries[TS_CHARACTERS],
                                    forward(dictionaries[TS_PHRASES]) + backward(st_phrases))
    looked_at |= seen
    for name in STATS:
        print(f"  {name}: {stats[name]}")

    failures = round_trip_failures(traditional, simplified)
    print(f"simplified characters that do not come back from traditional: {len(failures)}")
    for source, there, back in failures:
        print(f"  {source} -> {there} -> {back}")

    ts_characters = dict(dictionaries[TS_CHARACTERS])
    variants = [dict(dictionaries[name]) for name in VARIANTS_TO_STANDARD]
    martian = read_martian_map()
    preferred, keys_of, losers = preferred_keys(martian, ts_characters, variants)
    looked_at.update(char for entry in martian for char in entry)
    shared = sum(1 for keys in keys_of.values() if len(keys) > 1)
    print(f"Martian lookalikes shared by several keys: {shared}, going back to their standard form "
          f"rather than the first key: {len(preferred)}")
    for lookalike in sorted(preferred):
        print(f"  {lookalike} -> {preferred[lookalike][0]} (of {' '.join(preferred[lookalike][1])})")
    print(f"keys that lose their lookalike to another key: {len(losers)}: {' '.join(losers)}")

    check_against_iconv(looked_at)

    version = opencc_version()
    outputs = {
        TRADITIONAL_OUTPUT: traditional_text(traditional, version),
        SIMPLIFIED_OUTPUT: simplified_text(simplified, version),
        MARTIAN_OUTPUT: martian_text(preferred, version),
    }
    differing = []
    for path, text in outputs.items():
        full = os.path.join(REPO, path)
        if args.check:
            with open(full, encoding="utf-8", newline="") as stream:
                if stream.read() != text:
                    differing.append(path)
        else:
            with open(full, "w", encoding="utf-8", newline="\n") as out:
                out.write(text)
            print(f"written: {path}")
    if differing:
        sys.exit(f"differs from what the generator makes: {', '.join(differing)}")
    if args.check:
        print("the committed tables are what the generator makes")


if __name__ == "__main__":
    main()
