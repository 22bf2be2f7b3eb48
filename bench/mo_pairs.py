#!/usr/bin/env python3
"""Prints, one pair a line as `zh_CN<TAB>zh_TW`, every interface message that
Debian's translators turned from the same source into both simplified
(zh_CN) and traditional Chinese (zh_TW), from the .mo files of the installed
packages: the same message id in both, equally long, holding Chinese. Line
breaks and tabs inside a message become spaces. Standard library only.

    python3 bench/mo_pairs.py [LOCALE_DIR]
"""
import gettext
import os
import sys


def catalog(path):
    with open(path, "rb") as stream:
        return gettext.GNUTranslations(stream)._catalog


def main():
    root = sys.argv[1] if len(sys.argv) > 1 else "/usr/share/locale"
    simplified_dir = os.path.join(root, "zh_CN", "LC_MESSAGES")
    traditional_dir = os.path.join(root, "zh_TW", "LC_MESSAGES")
    names = sorted(set(os.listdir(simplified_dir)) & set(os.listdir(traditional_dir)))
    seen = set()
    for name in names:
        if not name.endswith(".mo"):
            continue
        simplified, traditional = catalog(os.path.join(simplified_dir, name)), catalog(
            os.path.join(traditional_dir, name))
        for key in sorted(set(simplified) & set(traditional), key=repr):
            if key == "" or isinstance(key, tuple) and key[0] == "":
                continue
            pair = tuple(" ".join(text.replace("\t", " ").splitlines()) for text in (simplified[key], traditional[key]))
            if (len(pair[0]) == len(pair[1]) and any("\u4e00" <= char <= "\u9fff" for char in pair[0])
                    and pair not in seen):
                seen.add(pair)
                print(f"{pair[0]}\t{pair[1]}")
    print(f"{len(seen)} pairs from {len(names)} packages' messages", file=sys.stderr)


if __name__ == "__main__":
    main()
