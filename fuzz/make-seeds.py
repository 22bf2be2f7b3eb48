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
    "to_traditional_fuzzer": {"traditional-sources": "个性签名国钟干里发后台万与丑专业丛东丝两",
                              "phrases": "复制粘贴个性签名日志关系合并注册发布委托文件夹里的若干公里时钟",
                              "half-converted": "複制复製若干乾淨干净時钟时鐘標签签名",
                              "spaced-phrases": "复 制　粘  贴 体系结构 表 明 了 我 的 头 发"},
    "from_martian_fuzzer": {"martian-text": "莪哋签洺焱暒妏①②彡④ㄖとふル",
                            "martian-keys": "的一国在人了有中是年和大业不为发会工经上地市要个产",
                            "shared-lookalikes": "哋莋汸炷尒姠汜凊妑泹浗叒鉽臸姃媾財詶咜戶烮潒娖旣忲悢菅",
                            "shared-keys": "的地作做方防访主住注小尔向响记纪情清把巴但担求球又双式试"
                                           "至致证征构购才财材州洲它她护户列烈象像足促即既太态粮良馆官"},
    "to_simplified_fuzzer": {"simplified-sources": "個性簽名我們的國家什麼關於乾淨畫徵鐘錶薴苧",
                             "no-way-back": "侭昵渖稆縆缐苎讬谘钜锺镟馀麹麺",
                             "phrases": "複製粘貼個性簽名日誌關係合併註冊發佈委託乾隆瞭解一目瞭然覆蓋",
                             "spaced-phrases": "複 製　粘  貼 一 目 瞭 然 乾 隆"},
    "add_symbols_fuzzer": {"framed-twice": "↗℡↗℡签名╰☆╰☆"},
    "catalogue_fuzzer": {"separated": "我·的♥签♥名 I l♥o♥v♥e U",
                         "framed": "『【★彡签名彡★】』❀❀",
                         "letters": "ＱＱ 𝐋𝐨𝐯𝐞 ⓪➀ ᴀʙᴄ 𝔸ℂ a\u0336b\u0332",
                         "stacked": "『·𝐚·𝐛·』↗℡我☆的╰☆",
                         "joiners": "😀\u200D好 a\t\u0301b 👨‍👩‍👧1️⃣🇨🇳🇯🇵"},
    "add_spaces_fuzzer": {"spaced": "我 的 签 名 😀",
                          "emoji-clusters": "我❤️你👍🏽🇨🇳🇯🇵🇺👨‍👩‍👧1️⃣🏴\U000E0067\U000E0062\U000E0065\U000E006E"
                                            "\U000E0067\U000E007F🏳️‍🌈",
                          "accents": "cafe\u0301 n\u0303 a\u0308\u0304 한\u1100\u1161\u11A8 \r\n",
                          "spaces-with-marks": " \u0301a \u200D \ufe0f  \u0301\t\u0301\n\u0308",
                          "prepended": "\u0600 1\u0600\n\u0600\u0600a\U000110BD \u0903"},
}

root = pathlib.Path(__file__).resolve().parent / "corpus"
for target, extra in EXTRA.items():
    directory = root / target
    shutil.rmtree(directory, ignore_errors=True)
    directory.mkdir(parents=True)
    for name, text in {**COMMON, **extra}.items():
        (directory / name).write_bytes(text.encode("utf-16-le", "surrogatepass"))
