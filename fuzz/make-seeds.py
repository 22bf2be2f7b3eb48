#!/usr/bin/env python3
"""Writes the committed seed corpus: small UTF-16LE texts, the same handful
for every fuzz target, plus a few aimed at one command. Run from anywhere;
it rewrites fuzz/corpus/."""

import pathlib
import shutil

COMMON = {
    "empty": "",
    "chinese": "我的个性签名",
    "signature": "今天也要努力呀，加油！Keep going~ 2024",
    "ornaments": "↗℡签名╰☆",
    "ornament-runs": "↗℡↗℡↗℡a↗℡↗℡↗℡↗℡b╰☆╰☆╰☆",
    "ornament-halves": "℡↗℡↗╰╰☆☆↗",
    "emoji": "😀 签名 🎉👍🏻",
    "lone-surrogates": "\ud800签\udc00名\udbff \udfff",
    "swapped-pair": "\udc00\ud800😀",
    "spaces": "   a  b    c   ",
    "wide-spaces": "　全角　空格\t制表",
}

EXTRA = {
    "to_martian_fuzzer": {"martian-keys": "的一国在人了有中是年和大业不为发会工经上地市要个产"},
    "to_traditional_fuzzer": {"traditional-sources": "个性签名国钟干里发后台万与丑专业丛东丝两"},
    "add_symbols_fuzzer": {"framed-twice": "↗℡↗℡签名╰☆╰☆"},
    "add_spaces_fuzzer": {"spaced": "我 的 签 名 😀"},
}

root = pathlib.Path(__file__).resolve().parent / "corpus"
for target, extra in EXTRA.items():
    directory = root / target
    shutil.rmtree(directory, ignore_errors=True)
    directory.mkdir(parents=True)
    for name, text in {**COMMON, **extra}.items():
        (directory / name).write_bytes(text.encode("utf-16-le", "surrogatepass"))
