#!/usr/bin/env python3
"""Generates the tables that come from OpenCC's dictionaries:

  styling/opencc/traditional_table.inc    simplified to traditional, character by character
  styling/opencc/traditional_phrases.inc  simplified to traditional, the phrases that need context
  styling/opencc/traditional_groups.inc   the groups of characters that its phrases match by
  styling/opencc/simplified_table.inc     traditional to simplified, character by character
  styling/opencc/simplified_phrases.inc   traditional to simplified, the phrases that need context
  styling/opencc/simplified_groups.inc    the groups of characters that its phrases match by
  styling/martian_preferred.inc     the Martian lookalikes that go back to a key
                                    other than the first one listed for them

Needs Debian's `opencc` (for opencc_dict), `libopencc-data` (the .ocd2
dictionaries), `icu-devtools` (uconv, for CLDR's transforms) and glibc's
iconv. Standard library only.

    python3 tools/gen-traditional-table.py [--check] [--opencc-dir DIR]

--check compares what it would write with the committed files and fails on
any difference instead of writing.

The conversion cuts the text into phrases, words and single characters by
the cheapest reading (rule (j)); a phrase writes its converted form, the
rest the character table's forms. OpenCC's own converter takes the longest
phrase from the left instead, which runs phrases across words (进行复制).
Simplified to traditional reads STCharacters and STPhrases and writes
Taiwan's forms, as OpenCC's s2tw does: every form of both goes through
TWVariants (爲 為, 裏 裡, 着 著, 麪 麵, 喫 吃, 纔 才), and TWVariants' own
sources become sources too, so that text in OpenCC's standard forms comes
out in Taiwan's (taiwan_forms). Traditional to simplified reads TSCharacters
and TSPhrases, and Taiwan's and Hong Kong's forms through TWVariantsRev and
HKVariantsRev with their phrases, as tw2s and hk2s do (reading_back): 裡,
著, 衞 and 溫 come back, 著名 stays. Neither takes s2twp's vocabulary
(TWPhrases), which would change words, not forms.

Rules for the character tables, applied in this order:

(a) Only characters that GBK (code page 936) writes as two bytes take part,
    as sources and as targets. Forms outside GBK are dropped before choosing;
    a source left without a form keeps itself (no entry). Python's codec is
    checked against glibc iconv (GBK and CP936) for every character looked at.
(b) Of several forms, the one OpenCC lists first wins, unless two
    independent sources agree on another: CLDR's transform for the direction
    (ICU's Hans-Hant or Hant-Hans, given the character alone) writes that
    other form, and OpenCC's own phrase list for the direction writes it for
    the character at least ten times as often as the first (a list with no
    word for the first counts one). OpenCC's first form is what its
    converter writes wherever none of its phrases applies, and its lists
    gather the words that need another form, so a count there favours the
    exceptions (毁: 毀 8, 燬 10, 譭 10; 巨: 鉅 28, 巨 4) and cannot settle a
    default alone, nor by a bare majority (喂: 餵 32, 喂 6, where 喂 alone is
    mostly "hello"); CLDR, which knows no phrases, writes the form a
    character most often stands for, but alone would leave 里 and 余 as they
    are, against OpenCC, whose lists leave out 这里 and 其余 because they
    take the first form. Together they overrule OpenCC once each way: 钟 to
    鐘 (鐘 in 352 listed words, 鍾 in 20), and back 瞭 to 了 (13 to 1); the
    generator prints them. So 毁 is 毀, 干 幹, 里 裏, 余 餘, and back 於 is
    于, 覆 覆, 藉 藉. Measured on the Chinese manual pages before rules (h)
    and (i), with bench/steps/40-accuracy.sh: OpenCC's first form alone
    agreed with OpenCC on 99.940 % (钟 alone 鍾); the form most frequent in
    the phrase list on 99.884 % (毁 燬, 巨 鉅, 覆 back to 复); CLDR alone on
    99.885 % (里 里); the two agreeing at two to one instead of ten on
    99.955 % (喂 餵, 藉 back to 借); this rule on 99.953 %.
    A source whose winner is itself gets no entry.
(h) A character that no rule settles may take an override, listed in
    OVERRIDES with its reason, as OpenCC's maintainers order candidates by
    hand. There is one: 签 alone is 簽, the form of 签名, 签字 and 签到
    (OpenCC's phrases: 簽 111, 籤 40, short of rule (b)'s ten to one, which
    喂 at 5 to 1 shows is needed). The words that take 籤 (标签, 书签, 抽签)
    then become phrases under rule (e).
(c) A character chosen as the form of another is never itself rewritten: its
    own entry is dropped. Converted text then comes back unchanged and
    running the conversion twice equals running it once.

Rules for the phrase tables:

(d) A phrase is dropped when its converted form is not as long as it in
    UTF-16 code units (a character beyond the BMP on one side only), when
    either holds a character outside GBK's double-byte set, when it turns
    a character into one that the character dictionary does not list among
    its forms (坐标 to 座標, 家具 to 傢俱, 沈沒 to 沉没), or when its key
    holds a character that the other direction converts (兩 in a simplified
    key): under rule (f) such pairs and keys would catch ordinary text.
(e) A phrase is stored with its converted form only when the character
    table converts it otherwise (日志 to 日誌, not 日志 to 日志 as the table
    would). The others that matter for where phrases match are kept by
    rule (i), without their converted form.
(f) The character table's pairs and the stored phrases, character by
    character, join characters into groups (钟 鍾 鐘 锺), and phrases are
    matched group-wise: a key matches where each character of the text is in
    the same group as the key's (the conversion's own output, or text already
    half converted, included). Converting keeps every character in its
    group, so a second run finds the same phrases at the same places and
    changes nothing.
    Ordinary text of the keys' script is every character that the other
    direction's character table leaves alone (覆 and 了 are simplified
    text). Where a phrase writes such a character for another (反复 to 反覆),
    it joins the two, and text with the first would be read as the second
    (被覆盖 would match 被复, 被複). So for each stored key and each such
    character of a group the key's characters belong to, the key with that
    character put in is converted group-wise and exactly; where the two
    differ, the phrases that join the character to the group are dropped,
    and the groups are formed again, until nothing more can be dropped.
    Simplified to traditional, such a text counts only where jieba's list
    (the word list of rule (j), simplified text) holds a word of two
    characters or more across the character put in: 重覆 and 被覆 are
    words, so 覆 stays apart from 复 (rule (n)); no listed word has
    藉 where a phrase has 借 (借托 with 藉 is no word), so 借 and 藉 are one
    group and 借口, 借以, 凭借 take OpenCC's 藉口, 藉以, 憑藉 (and 借钱
    keeps 借錢). Back from traditional there is no such list: every text
    counts. The
    characters that the character table itself joins stay read as one
    another; the generator prints them (rare forms such as 锺 and 馀 with
    钟 and 余, 髮 with 發 back from traditional).
    Keys that become the same group-wise with different converted forms are
    all dropped, and the groups are formed again without them, until none
    are left; of keys that become the same with the same converted form, the
    one with the fewest characters already in that form is kept (注册 rather
    than 注冊 for 註冊), then the first in code order.

(j) The text is cut, not by OpenCC's longest match, but by the cheapest
    reading: each stored phrase, each kept word of jieba's dictionary
    (WORD_LIST) and each single character costs -ln(count / total) in
    sevenths, and of all the ways to cut a run into them the cheapest wins
    (of two alike, the one with the longer first piece). A word is kept when
    it can take a stored phrase's place: it holds one, lies inside one, or
    overlaps one by two characters or more, or by one and is counted at
    least MIN_COUNT_FOR_ONE_CHARACTER times. A stored phrase costs what
    jieba says, but never more than the cheapest other reading of its own
    characters less one, so that alone it is read whole. A word converts as
    its own characters do when cut without it (复制粘贴 to 複製粘貼), so it
    changes only where the text is cut: 进行 | 复制, 证书 | 签名, 前头 | 发生.
    (Two ways that look sounder measured worse: cut by the stored phrases
    alone, a word writes the very matches it is there to block, 系结 in
    体系结构; given the form the stored phrases it lies in agree on, it
    takes their exceptions, since OpenCC stores a phrase only where it
    writes one: 下面 becomes 下麵, as in 下面条.)
    WORD_OVERRIDES sets a few counts by hand, each with a reason found
    outside the text it mends: jieba gives 159,318 of its 349,046 words a
    count of 3, in effect none.
(k) An OpenCC phrase whose form is not what Taiwan writes may take the
    table's form instead, listed in PHRASE_OVERRIDES with a text of Taiwan's
    own that says so: 发布 to 發布, not OpenCC's 發佈. It is then no phrase
    (rule (e)) but a word of the list like any other. OpenCC's own s2tw
    writes 發佈 for 发布 alone, and 發布 only where its longest match takes
    another phrase first (重新发布, with 新发).
(l) Names keep a character as itself where the table writes another form
    of it and OpenCC's own phrases for names keep it: in the words jieba
    tags as names of places (ns), transliterated (nrt) or foreign (nrfg),
    such a character stays itself when at least NAME_KEEPS of the OpenCC
    phrases that jieba tags so and that hold it keep it, out of at least
    NAME_PHRASES. That is 里 (205 of 227: 马里兰 馬里蘭) and 托 (38 of 42):
    里瓦斯 stays 里瓦斯 where 里 alone is 裡, 托木斯克 stays 托木斯克 where
    托 alone is 託. jieba's tag for people's names (nr) does not count: it
    tags 托运 so, and 花园里; but a word of three characters or more that it
    tags so is a name all the same where a stored phrase inside it keeps
    such a character (里亚 in 里亚尔, the rial; 托夫 in 巴托夫). Such a name
    is kept as a word whatever its overlap, and
    takes the form only where jieba counts it often enough for it to be read
    whole alone, as a stored phrase is; it is not made cheaper, since names
    lie inside ordinary text. Names of two characters do not count
    (MIN_NAME_LENGTH): they are as often two ordinary characters side by
    side, 库 | 里 in 程序库里, where jieba's 库里 is Curry; unless it lies in
    at least SHORT_NAME_PHRASES of OpenCC's longer phrases, which keep the
    character in at least NAME_KEEPS of them: 马里 (Mali, 14 of 15: 马里兰,
    马里亚纳, 索马里), which jieba tags as a measure word, keeps 里 in 马里语;
    库里 lies in two. Such a pair also makes a person's name of three
    characters or more a name (托利 in 托利亚), and one that is no word of
    the list (克托 of 维克托 and 赫克托) is stored as a word that keeps the
    character, priced at what its pieces cost as rule (p)'s readings are:
    乔克托语 keeps 托, and 委托 | 利用 is cut as before.

(m) An entry that costs more than the cheapest cut of its own characters
    without it is never read whole in any text (the cut with that cut in its
    place is cheaper), so it changes nothing and is not written: words that
    rule (j) keeps for their overlap, but that jieba counts too seldom to
    win one. A word with no character of several forms can still change
    the output where it blocks a phrase (进行 | 复制), and rule (j) keeps
    only words that can, so there is nothing more to take on that ground.

(n) A form that the character table neither rewrites nor writes (覆,
    which simplified text writes as itself) leaves its group where joining
    it would have ordinary text read as another character (rule (f)),
    instead of costing the phrase: 批复, 函复, 答复 and 回复 take OpenCC's
    批覆, 函覆, 答覆 and 回覆, and text with 覆 is still read only as itself
    (被覆, 覆审 stay). Each phrase or word whose form leaves its group also
    gets that form as a key of its own, at its own cost and converting to
    itself, so that a second run cuts the output as the first cut the text.
    Back from traditional only OpenCC's own phrases read 覆 as 复 (回覆,
    答覆, 函覆): the forward ones are not turned round, since simplified
    text writes 覆 in most of them too (覆水, 覆车之鉴, 倾覆).

(o) 里 after a noun is the locality, 裡. jieba tags 海里, 乡里, 西里 and 东里
    as words of place (s): its count is of 'in the sea', 'in the village',
    where OpenCC's phrase keeps 里 for the nautical mile and the like. So a
    noun of the list (tagged n, ns or s) that ends in such a phrase's first
    character, followed by 里, is stored as a word of its own that writes
    the noun's form and 裡, priced as a stored phrase is, so that it is
    read whole: 花海 | 里, 人海 | 里, where the cheapest cut took 花 | 海里.
    Not where jieba lists the whole as a word (西西里), nor where it is cut
    so already (家乡 | 里). 公里, 邻里 and 十二海里 stay as they are.

(p) A verb and its object keep the verb's form with a measure word between
    them: OpenCC's 冲澡 and 冲茶 write 沖, and so do 冲个澡, 冲杯茶 and 冲一杯茶,
    where the cut read 冲 alone, as 衝. The phrases are OpenCC's of two
    characters that jieba tags as a verb (v, vn), whose second character it
    tags as a noun (n) and whose verb takes a form the table does not write
    (冲水, 喂狗, 复信, 扎营); not one that ends a longer noun or set phrase of
    the list (n, nz, l), which shows it a thing (电回路, so 回一段路 stays).
    Between them goes the general measure word, the one jieba counts most
    often after 一 (一个), or one that jieba lists between a verb or numeral
    and the thing (倒杯茶, 三杯水), alone or after 一, either after 了
    (冲了个澡); not where the verb and it, or it and the thing, make a word
    of the list (回家). Each such text
    is stored as a word that writes the phrase's form of the verb, priced at
    what its pieces cost, so that it wins alone as the longer first piece
    but never against a word the thing begins. 冲奶粉 is not covered: no list
    here has 冲 with 奶 or 奶粉.

Runs of spaces (U+0020, U+3000) between characters are read through: a
phrase matches the characters on either side of them, and they stay where
they are. The converter here does the same, so its checks hold for spaced
text too.

The phrase files are packed as bytes, which gzip makes far more of than of
UTF-16 Chinese (see packed_phrases below); the converter unpacks them on
first use, each entry as a count (the table-only bit, the cost, the length)
and then its units.

The generator prints how many phrases each rule drops, and the simplified
characters that do not come back from a trip to traditional and back on
their own: the GBK characters that the simplified table leaves alone
(simplified text), whose traditional form the simplified table turns into
something else, or leaves as it is.

Rule for the Martian lookalikes (styling/martian_map.h) shared by several
keys:

(g) A key is the lookalike's standard form when OpenCC, given the lookalike
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
import math
import os
import re
import subprocess
import sys
import tempfile

REPO = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
SCRIPT = "tools/gen-traditional-table.py"

TRADITIONAL_OUTPUT = "styling/opencc/traditional_table.inc"
TRADITIONAL_PHRASES_OUTPUT = "styling/opencc/traditional_phrases.inc"
TRADITIONAL_GROUPS_OUTPUT = "styling/opencc/traditional_groups.inc"
SIMPLIFIED_OUTPUT = "styling/opencc/simplified_table.inc"
SIMPLIFIED_PHRASES_OUTPUT = "styling/opencc/simplified_phrases.inc"
SIMPLIFIED_GROUPS_OUTPUT = "styling/opencc/simplified_groups.inc"
TRADITIONAL_COSTS_OUTPUT = "styling/opencc/traditional_costs.inc"
SIMPLIFIED_COSTS_OUTPUT = "styling/opencc/simplified_costs.inc"
MARTIAN_OUTPUT = "styling/martian_preferred.inc"
MARTIAN_MAP = "styling/martian_map.h"

ST_CHARACTERS, ST_PHRASES = "STCharacters.ocd2", "STPhrases.ocd2"
TS_CHARACTERS, TS_PHRASES = "TSCharacters.ocd2", "TSPhrases.ocd2"
VARIANTS_TO_STANDARD = ("TWVariantsRev.ocd2", "HKVariantsRev.ocd2", "JPVariantsRev.ocd2")
# Taiwan's forms of OpenCC's standard ones, written after the phrases as
# OpenCC's s2tw does; and the way back from Taiwan's and Hong Kong's forms,
# read before the phrases as its tw2s and hk2s do.
TW_VARIANTS = "TWVariants.ocd2"
HK_VARIANTS = "HKVariants.ocd2"
READ_BACK = (("TWVariantsRev.ocd2", "TWVariantsRevPhrases.ocd2"), ("HKVariantsRev.ocd2", "HKVariantsRevPhrases.ocd2"))


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


def package_version(package):
    return subprocess.run(["dpkg-query", "-W", "-f", "${Version}", package],
                          capture_output=True, text=True, check=True).stdout.strip()


OUTSIDE = "sources outside GBK"
NO_FORM = "sources whose forms all lie outside GBK"
SEVERAL = "sources with several GBK forms"
OVERRULED = "of those, OpenCC's first form overruled by CLDR and the phrases"
OVERRIDDEN = "sources whose form is set by an override"
ITSELF = "sources whose chosen form is the source itself"
CHAINS = "chains broken"
CHARACTER_STATS = (OUTSIDE, NO_FORM, SEVERAL, OVERRULED, OVERRIDDEN, ITSELF, CHAINS)

PHRASES = "phrases in OpenCC's list"
LENGTH = "dropped: converted form of another length in UTF-16"
PHRASE_OUTSIDE = "dropped: a character outside GBK"
UNLISTED = "dropped: a character converted to a form its own entry does not list"
SAME = "not stored: the character table gives the same"
FOREIGN = "dropped: a character of the key is one the other direction converts"
MISREAD = "dropped: would have ordinary text read as another character"
MISREAD_LEFT = "ordinary characters still read as another of their group somewhere"
CLASH = "dropped: same group-wise as another key, converted otherwise"
REPEATED = "dropped: same group-wise as another key, converted alike"
TOO_LONG = "dropped: longer than 15 characters"
STORED = "stored"
LEAVING = "of those, writing a form that leaves its group"
PRICED = "of those, priced by the word list (the others by their characters)"
WORDS = "words of the word list kept to weigh the cuts, converted by the character table"
NEVER_WHOLE = "words dropped: never read whole, as their own characters cut otherwise cost less"
PHRASE_STATS = (PHRASES, LENGTH, PHRASE_OUTSIDE, UNLISTED, FOREIGN, SAME, MISREAD, MISREAD_LEFT, CLASH, REPEATED,
                TOO_LONG, STORED, LEAVING, PRICED, WORDS, NEVER_WHOLE)

# Rule (h): the single characters no rule settles, with the reason for each.
# Reviewed like OpenCC's own candidate order: add one only with a reason that
# a reader can check against the dictionaries.
OVERRIDES = {
    ST_CHARACTERS: {
        "签": ("簽", "alone it is mostly 'sign' (签名, 签字, 签到): OpenCC's phrases write 簽 111 times to 籤 40, "
                    "and CLDR writes 簽; the ratio is short of rule (b)'s ten, which 喂 (餵 5 to 1) needs"),
    },
    TS_CHARACTERS: {},
}

# The word list the segmentation weighs its cuts by: jieba's dictionary,
# each word with how often it was counted.
WORD_LIST = "/usr/lib/python3/dist-packages/jieba/dict.txt"
WORD_LIST_PACKAGE = "python3-jieba"
# A cut's cost is -ln(count / total) in sevenths of a unit, capped to fit
# the seven bits it is packed into: 127 is a little over jieba's rarest
# word (a count of 1 in about 60 million, 17.9).
COST_UNIT = 7
MAX_COST = 127
# Longest phrase or word kept: four bits of the packed count.
MAX_LENGTH = 15
# The tags jieba gives names: of people (nr), transliterated (nrt), of
# foreigners (nrfg), of places (ns).
NAME_TAGS = {"nrt", "nrfg", "ns"}
PEOPLE_TAG = "nr"
# Rule (o): its tag for words of place (海里 'in the sea', 乡里 'in the
# village'), and those of the nouns that may stand before them.
PLACE_TAG = "s"
NOUN_TAGS = {"n", "ns", "s"}
# Rule (p): jieba's tags for verbs (v) and the verbs that name an action
# (vn, 冲水), for the nouns they take as objects (n), for measure words (q),
# and the numeral that stands before one most often.
VERB_TAGS = {"v", "vn"}
OBJECT_TAG = "n"
MEASURE_TAG = "q"
NUMERAL = "一"
NUMERAL_TAG = "m"
# The particle of a done action, which may stand before them (冲了个澡).
ASPECT = "了"
THING_TAGS = {"n", "nz", "l"}
# Rule (l): a character stays itself in names where OpenCC's own name
# phrases keep it at least this share of the time, out of this many.
NAME_KEEPS = 4 / 5
NAME_PHRASES = 20
# Names shorter than this are as often two ordinary characters side by
# side: 库里 is Curry to jieba, and 库 | 里 in 程序库里.
MIN_NAME_LENGTH = 3
# ...unless OpenCC's phrases that they lie in are names, at least this
# many, that keep the character NAME_KEEPS of the time (马里 of 马里兰).
SHORT_NAME_PHRASES = 5
# A word that overlaps a stored phrase by one character only is kept when
# jieba counted it at least this often: one overlaps nearly every word, and
# the rare ones seldom win a cut (see rule (j)).
MIN_COUNT_FOR_ONE_CHARACTER = 40

# Words whose count in jieba's dictionary is plainly too low, or that it
# lacks, with the count they are given and the reason; like OVERRIDES,
# reviewed one by one, and each with a reason found outside the cases it
# mends. A converted form, where given, is the word's own; otherwise it
# converts as rule (j) says.
WORD_OVERRIDES = {
    ST_CHARACTERS: {
        "最多": (482, None, "counted 3, the count jieba gives 159,318 of its 349,046 words that it has no count "
                           "for; Chewing's list of Taiwan's words (libchewing 0.5.1) counts 最多 2,647 times to "
                           "最少 603, so it is given 最少's 482, no more"),
        "冲冲冲": (100, "衝衝衝", "missing: the cheer 'charge!' spread after jieba's list was made (0.42.1 adds "
                                 "no words to it), and the list's 冲冲, counted 3, is 怒气冲冲's 沖沖"),
    },
    TS_CHARACTERS: {},
}

# Rule (k): OpenCC phrases whose converted form is not what Taiwan writes,
# with Taiwan's form and the reason, which must be a text of Taiwan's own
# that a reader can look up; the form may only put a character back to the
# one the table writes.
PHRASE_OVERRIDES = {
    ST_CHARACTERS: {
        "发布": ("發布", "OpenCC writes 發佈; Taiwan's constitution (article 37: 公布法律，發布命令) and its "
                        "Standard Act of Central Laws and Regulations (中央法規標準法, article 7: 下達或發布) "
                        "write 發布"),
    },
    TS_CHARACTERS: {},
}

# Runs of these between two characters are transparent to phrases: spaced
# text (我 的 头 发) converts as the unspaced text does.
SPACES = " \u3000"


def cldr_forms(chars, transform):
    """{character: what ICU's CLDR transform writes for it alone}."""
    chars = sorted(chars)
    result = subprocess.run(["uconv", "-f", "UTF-8", "-t", "UTF-8", "-x", transform],
                            input="\n".join(chars) + "\n", capture_output=True, text=True, check=True)
    written = result.stdout.split("\n")[:-1]
    if len(written) != len(chars):
        sys.exit(f"uconv -x {transform}: expected {len(chars)} lines, got {len(written)}")
    return dict(zip(chars, written))


def phrase_counts(phrases):
    """{character: Counter(form: how many listed words write it so)}."""
    counts = collections.defaultdict(collections.Counter)
    for key, values in phrases:
        if len(key) == len(values[0]):
            for char, form in zip(key, values[0]):
                counts[char][form] += 1
    return counts


def build(characters, phrases, transform, overrides):
    """One form per character, rules (a) to (c); characters and phrases: OpenCC's entries
    for one direction, transform: CLDR's for the same direction, overrides: the
    direction's entries of OVERRIDES."""
    stats = collections.Counter()
    looked_at = set()
    chosen = {}
    several = {}
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
        if len(candidates) > 1:
            stats[SEVERAL] += 1
            several[source] = candidates
        chosen[source] = candidates[0]

    cldr = cldr_forms(several, transform)
    counts = phrase_counts(phrases)
    for source, candidates in several.items():
        other, first = cldr[source], candidates[0]
        if other != first and other in candidates and counts[source][other] >= 10 * max(counts[source][first], 1):
            print(f"overruled: {source} -> {other}, not {first} "
                  f"({counts[source][other]} words to {counts[source][first]})", file=sys.stderr)
            stats[OVERRULED] += 1
            chosen[source] = other
    for source, (form, reason) in overrides.items():
        if chosen.get(source) != form:
            print(f"override: {source} -> {form}, not {chosen.get(source, source)} ({reason})", file=sys.stderr)
            stats[OVERRIDDEN] += 1
            chosen[source] = form
    for source in [source for source, form in chosen.items() if form == source]:
        stats[ITSELF] += 1
        del chosen[source]

    targets = set(chosen.values())
    for source in sorted(chosen):
        if source in targets:
            print(f"chain broken: {source} -> {chosen[source]} dropped", file=sys.stderr)
            stats[CHAINS] += 1
            del chosen[source]
    assert not set(chosen) & set(chosen.values())
    return chosen, stats, looked_at


def utf16_length(text):
    return len(text.encode("utf-16-le")) // 2


def by_characters(text, table):
    return "".join(table.get(char, char) for char in text)


def taiwan_forms(characters, phrases, variants):
    """OpenCC's simplified-to-traditional entries with Taiwan's forms: each form
    through TWVariants, as s2tw writes it, and OpenCC's standard forms that
    Taiwan writes otherwise as sources of their own (裏 to 裡), so that text
    already in OpenCC's forms comes out in Taiwan's. A variant whose Taiwan
    form is itself a simplified source is left out (幺 stays: its form 么 is
    the simplified 么 of 什么)."""
    def taiwan(text):
        return "".join(variants.get(char, [char])[0] for char in text)

    composed = [(source, list(dict.fromkeys(taiwan(form) for form in forms))) for source, forms in characters]
    first = {source: forms[0] for source, forms in composed}
    for key, forms in variants.items():
        if key in first:
            continue
        if first.get(forms[0], forms[0]) != forms[0]:
            print(f"variant not applied: {key} -> {forms[0]}, a simplified source itself", file=sys.stderr)
            continue
        composed.append((key, [forms[0]]))
    return composed, [(key, [taiwan(value) for value in values]) for key, values in phrases]


def reading_back(characters, phrases, read_back, simplified_sources):
    """OpenCC's traditional-to-simplified entries, reading Taiwan's and Hong Kong's
    forms as well: each regional form through its way back to OpenCC's
    standard form and then TSCharacters (裡 to 裏 to 里), as tw2s and hk2s
    do, after the standard reading where a character has both. A standard
    form that TSCharacters leaves alone counts only if GB2312, the character
    set of simplified text, writes it (着 does, 擡 does not); and a character
    that simplified text writes itself (么, which Taiwan writes for 幺) is
    not read back. The regional phrases come after OpenCC's, their converted
    form simplified character by character; read_back: (way back, its
    phrases) for each region."""
    ts = dict(characters)
    forms_of = {source: list(forms) for source, forms in characters}
    order = [source for source, _ in characters]
    added = []
    for variants, variant_phrases in read_back:
        for key, standards in variants.items():
            forms = [form for standard in standards
                     for form in ts.get(standard, [standard] if is_gb2312(standard) else [])]
            if not forms or key in simplified_sources:
                continue
            if key not in forms_of:
                forms_of[key] = []
                order.append(key)
            forms_of[key] = list(dict.fromkeys(forms_of[key] + forms))
        for key, values in variant_phrases:
            added.append((key, ["".join(ts.get(char, [char])[0] for char in values[0])]))
    composed = [(source, forms_of[source]) for source in order if forms_of[source] != [source]]
    return composed, list(phrases) + added


def is_gb2312(char):
    try:
        return len(char.encode("gb2312")) == 2
    except UnicodeEncodeError:
        return False


def groups(table, phrases, exits=frozenset()):
    """{character: the smallest code unit of its group}, for characters in a group of two or more;
    exits: the pairs (form, character) that a phrase writes without joining them.

    The converter builds the same groups from the same pairs, so both sort
    the keys alike."""
    parent = {}

    def find(char):
        while parent.get(char, char) != char:
            char = parent[char]
        return char

    pairs = list(table.items()) + [pair for key, value in phrases.items() for pair in zip(key, value)
                                   if (pair[1], pair[0]) not in exits]
    for first, second in pairs:
        first, second = find(first), find(second)
        if first != second:
            low, high = sorted((first, second))
            parent[high] = low
    return {char: find(char) for char in parent}


def group_key(text, representative):
    return "".join(representative.get(char, char) for char in text)


def shared_characters(key, value):
    return sum(1 for char, form in zip(key, value) if char == form)


def misread(phrases, table, representative, plain, attested=None):
    """{(character, a character of its group)}: the ordinary characters that some
    stored phrase, with the character in place of the other, converts otherwise
    group-wise than exactly (被覆 read as 被复). With `attested`, the words of
    the list for the keys' script, only a text that holds one of them across
    the character put in counts (重覆, 被覆; not 借托 with 藉 for 借)."""
    members = collections.defaultdict(set)
    for char, group in representative.items():
        members[group].update((char, group))
    # Any phrase before none: where they are found is what matters here.
    by_group = converter(table, {group_key(key, representative): (key, value, 0) for key, value in phrases.items()},
                         representative, {})
    exactly = converter(table, {key: (key, value, 0) for key, value in phrases.items()}, {}, {})
    found = set()
    for key in phrases:
        for at, char in enumerate(key):
            for other in members.get(representative.get(char, char), ()):
                if other != char and other in plain and (other, char) not in found:
                    text = key[:at] + other + key[at + 1:]
                    if attested is not None and not any(
                            text[start:end] in attested for start in range(at + 1)
                            for end in range(max(at + 1, start + 2), len(text) + 1)):
                        continue
                    if by_group(text) != exactly(text):
                        found.add((other, char))
    return found


def build_phrases(entries, table, characters, other_table, word_list, word_overrides, phrase_overrides,
                  attested=None):
    """{key: converted} for the phrases per rules (d) to (f), and the words
    and costs of rule (j); entries: OpenCC phrase entries, characters: the
    character entries of the same direction, other_table: the other
    direction's character table, word_list: {word: count}."""
    forms = dict(characters)
    stats = collections.Counter()
    phrases = {}
    for key, values in entries:
        stats[PHRASES] += 1
        value = values[0]
        if key in phrase_overrides:
            taiwan = phrase_overrides[key][0]
            assert by_characters(key, table) == taiwan, f"{key}: an override may only give the table's form"
            print(f"phrase override: {key} -> {taiwan}, not {value} ({phrase_overrides[key][1]})", file=sys.stderr)
            value = taiwan
        if utf16_length(key) != utf16_length(value):
            stats[LENGTH] += 1
        elif not all(is_gbk_double_byte(char) for char in key + value):
            stats[PHRASE_OUTSIDE] += 1
        elif any(char != form and form not in forms.get(char, ()) for char, form in zip(key, value)):
            stats[UNLISTED] += 1
        elif any(char in other_table for char in key):
            stats[FOREIGN] += 1
        elif len(key) > MAX_LENGTH:
            stats[TOO_LONG] += 1
        elif by_characters(key, table) == value:
            stats[SAME] += 1
        else:
            phrases[key] = value
    # Ordinary text of the phrases' own script is what the other direction
    # leaves alone (覆, 了); a phrase that writes such a character for another
    # puts the two in one group.
    plain = {char for char in set(table) | set(table.values()) | {char for pair in phrases.items()
             for char in "".join(pair)} if char not in other_table}
    # Rule (n): a form that the character table neither rewrites nor writes
    # (覆 for 复) leaves the group instead of joining it.
    rewritten = set(table) | set(table.values())
    exits = set()
    while True:
        representative = groups(table, phrases, exits)
        hazards = misread(phrases, table, representative, plain, attested)
        leaving = {(form, char) for form, char in hazards if form not in rewritten} - exits
        exits |= leaving
        joining = [key for key, value in phrases.items()
                   if any((form, char) in hazards - exits for char, form in zip(key, value) if form != char)]
        for key in joining:
            stats[MISREAD] += 1
            del phrases[key]
        if not joining and not leaving:
            stats[MISREAD_LEFT] = len(hazards)
            if hazards:
                print(f"still read as another character of their group: "
                      f"{' '.join(sorted(f'{a}~{b}' for a, b in hazards))}", file=sys.stderr)
            break
    while True:
        representative = groups(table, phrases, exits)
        keys_of = collections.defaultdict(list)
        for key in sorted(phrases):
            keys_of[group_key(key, representative)].append(key)
        clashing = [key for keys in keys_of.values() if len({phrases[key] for key in keys}) > 1
                    for key in keys]
        # Of keys alike, the one furthest from its converted form reads best:
        # 注册 rather than 注冊 for 註冊.
        repeated = [key for keys in keys_of.values() if len({phrases[key] for key in keys}) == 1
                    for key in sorted(keys, key=lambda key: (shared_characters(key, phrases[key]), key))[1:]]
        if not clashing and not repeated:
            break
        for key in clashing:
            print(f"clash: {key} -> {phrases[key]} dropped", file=sys.stderr)
            stats[CLASH] += 1
            del phrases[key]
        for key in repeated:
            stats[REPEATED] += 1
            del phrases[key]
    stats[STORED] = len(phrases)
    stats[LEAVING] = sum(1 for key, value in phrases.items() if any(pair in exits for pair in zip(value, key)))
    own_forms = kept_in_names(entries, forms, table, word_list[1])
    short, pairs = short_names_keeping(word_list[0], entries, own_forms)
    names = word_list[1] | people_names_keeping(word_list[2], phrases, own_forms, short | pairs) | short
    lexicon, character_costs, priced, dropped = find_words(word_list[0], phrases, table, representative, word_overrides,
                                                  names, own_forms, exits, word_list[2], attested is not None, short,
                                                  pairs)
    stats[PRICED] = priced
    stats[NEVER_WHOLE] = dropped
    stats[WORDS] = sum(1 for _, value, _ in lexicon.values() if value is None)
    return phrases, lexicon, representative, character_costs, stats


def kept_in_names(entries, forms, table, names):
    """The characters that a name keeps as themselves, per rule (l): among their
    own forms (里 of 裡 里), written otherwise by the table, and kept by at
    least NAME_KEEPS of the OpenCC phrases that jieba tags as names and that
    hold them, out of at least NAME_PHRASES."""
    kept = collections.defaultdict(collections.Counter)
    for key, values in entries:
        if key in names and len(key) == len(values[0]):
            for char, form in zip(key, values[0]):
                if char in forms.get(char, ()) and table.get(char, char) != char:
                    kept[char][form == char] += 1
    chosen = {char for char, count in kept.items()
              if count[True] >= NAME_KEEPS * sum(count.values()) and sum(count.values()) >= NAME_PHRASES}
    for char in sorted(chosen):
        print(f"kept as itself in names: {char}, by {kept[char][True]} of {sum(kept[char].values())} name phrases",
              file=sys.stderr)
    return chosen


def keeping(text, written, own_forms):
    """`written`, the form of `text`, with its characters of `own_forms` kept
    as they are, as a name writes them (rule (l))."""
    return "".join(char if char in own_forms else form for char, form in zip(text, written))


def short_names_keeping(word_list, entries, own_forms):
    """Rule (l): the pairs of characters that lie in at least
    SHORT_NAME_PHRASES of OpenCC's longer phrases, which keep a character of
    `own_forms` there at least NAME_KEEPS of the time: part of names (马里 of
    马里兰 and 马里亚纳, Mali; 克托 of 维克托 and 赫克托), not a noun and 里 (心里,
    这里). Returned as (the words of the list among them, the others)."""
    kept = collections.defaultdict(collections.Counter)
    for key, values in entries:
        if len(key) <= 2 or len(key) != len(values[0]):
            continue
        for at in range(len(key) - 1):
            pair = key[at:at + 2]
            if any(char in own_forms for char in pair):
                kept[pair][all(form == char for char, form in zip(pair, values[0][at:at + 2])
                               if char in own_forms)] += 1
    found = {pair for pair, count in kept.items()
             if sum(count.values()) >= SHORT_NAME_PHRASES and count[True] >= NAME_KEEPS * sum(count.values())
             and all(map(is_gbk_double_byte, pair))}
    words = {pair for pair in found if pair in word_list}
    print(f"names of two characters, by the phrases they lie in: {' '.join(sorted(words))}", file=sys.stderr)
    print(f"pairs read as part of a name: {' '.join(sorted(found - words))}", file=sys.stderr)
    return words, found - words


def people_names_keeping(tags, phrases, own_forms, name_pairs):
    """Rule (l): the words jieba tags as people's names (nr) that count as names
    all the same, as a stored phrase or a pair of `name_pairs` inside them
    keeps one of `own_forms` as itself (里亚 in 里亚尔, the rial; 托利 in 托利亚)."""
    found = set()
    for word, tag in tags.items():
        if tag != PEOPLE_TAG or len(word) < MIN_NAME_LENGTH:
            continue
        for at, char in enumerate(word):
            if char in own_forms and any(
                    phrases.get(word[start:end], "")[at - start:at - start + 1] == char or
                    end - start == 2 and word[start:end] in name_pairs
                    for start in range(at + 1) for end in range(max(at + 1, start + 2), len(word) + 1)
                    if end - start < len(word)):
                found.add(word)
    for word in sorted(found):
        print(f"a person's name that keeps a character as a phrase inside it does: {word}", file=sys.stderr)
    return found


def costs_of(word_list):
    """{word: its cost}: -ln(count / total), in COST_UNIT, capped at MAX_COST."""
    total = sum(word_list.values())
    return {word: min(MAX_COST, round(-math.log(count / total) * COST_UNIT)) for word, count in word_list.items()}


def read_word_list(path):
    """({word: count}, the words jieba tags as names, {word: its tag})."""
    counts = collections.Counter()
    names = set()
    tags = {}
    with open(path, encoding="utf-8") as stream:
        for line in stream:
            fields = line.split()
            if len(fields) >= 2:
                counts[fields[0]] += int(fields[1])
            if len(fields) >= 3:
                tags[fields[0]] = fields[2]
                if fields[2] in NAME_TAGS:
                    names.add(fields[0])
    return counts, names, tags


def find_words(word_list, phrases, table, representative, overrides, names=(), own_forms=(), exits=frozenset(),
               tags=None, objects=False, short_names=frozenset(), name_pairs=frozenset()):
    """Rules (j), (n), (o) and (p): ({folded key: (converted form or None, cost)}, {group:
    cost}, how many stored phrases the word list prices); exits: the pairs of
    rule (n), tags: {word: jieba's tag}, objects: whether rule (p) applies
    (simplified text, which jieba's tags are of). Every key is folded to its group's
    first character."""
    tags = tags or {}
    word_list = collections.Counter(word_list)
    for word, (count, _, _) in overrides.items():
        word_list[word] = count
    costs = costs_of(word_list)
    character_costs = {}
    for word, cost in costs.items():
        if len(word) == 1:
            group = representative.get(word, word)
            character_costs[group] = min(cost, character_costs.get(group, MAX_COST))
    word_costs, words_spelt = {}, {}
    for word, cost in costs.items():
        if 2 <= len(word) <= MAX_LENGTH and all(is_gbk_double_byte(char) for char in word):
            folded = group_key(word, representative)
            if cost < word_costs.get(folded, MAX_COST + 1):
                word_costs[folded] = cost
                words_spelt[folded] = word
    stored = {group_key(key, representative): key for key in phrases}
    starts, ends, inside = set(), set(), set()
    for folded in stored:
        for at in range(1, len(folded)):
            starts.add(folded[:at])
            ends.add(folded[at:])
        inside.update(folded[at:end] for at in range(len(folded)) for end in range(at + 2, len(folded) + 1))

    def overlap(folded):
        """The most characters `folded` shares with a stored phrase it runs into."""
        return max([at for at in range(1, len(folded)) if folded[-at:] in starts or folded[:at] in ends],
                   default=0)

    lexicon = {}
    threshold = min(MAX_COST, round(-math.log(MIN_COUNT_FOR_ONE_CHARACTER / sum(word_list.values())) * COST_UNIT))
    for folded, cost in word_costs.items():
        if folded in stored:
            continue
        if word_costs.get(folded) is not None and words_spelt[folded] in overrides:
            lexicon[folded] = (words_spelt[folded], None, cost)
            continue
        holds = any(folded[at:end] in stored for at in range(len(folded)) for end in range(at + 2, len(folded) + 1))
        shared = overlap(folded)
        keeps = (words_spelt[folded] in names and (len(folded) >= MIN_NAME_LENGTH or words_spelt[folded] in short_names) and
                 any(char in own_forms for char in words_spelt[folded]))
        if holds or folded in inside or shared >= 2 or (shared == 1 and cost <= threshold) or keeps:
            lexicon[folded] = (words_spelt[folded], None, cost)
    # A stored phrase costs what the word list says, but never more than the
    # cheapest other reading of its own characters, less one: alone, it is
    # read whole. Shorter phrases first, as they are the longer ones' readings.
    priced = 0
    for folded in sorted(stored, key=lambda folded: (len(folded), folded)):
        split = best_reading(folded, lexicon, character_costs)
        cost = word_costs.get(folded)
        priced += cost is not None and cost < split
        lexicon[folded] = (stored[folded], phrases[stored[folded]],
                           max(0, min(split - 1, cost if cost is not None else MAX_COST)))
    # A word converts as its own characters do when cut without it: one that
    # holds a phrase writes the phrase's form (复制粘贴 to 複製粘貼), so that it
    # only ever changes where the text is cut. Shorter words first, as they
    # are the longer ones' cuts. (Cut by the phrases alone, a word would
    # write the very matches it is there to block: 系结 in 体系结构.)
    convert = converter(table, lexicon, representative, character_costs)
    for folded in sorted((folded for folded, entry in lexicon.items() if entry[1] is None),
                         key=lambda folded: (len(folded), folded)):
        key, _, cost = lexicon.pop(folded)
        inner = convert(key) if key not in overrides else overrides[key][1] or by_characters(key, table)
        if key in names and (len(key) >= MIN_NAME_LENGTH or key in short_names):
            named = keeping(key, inner, own_forms)
            # Its form is its own, as a phrase's is, so it must be read whole
            # alone; one too rare for that keeps the table's form.
            if named != inner and cost < best_reading(folded, lexicon, character_costs):
                inner = named
        lexicon[folded] = (key, inner if inner != by_characters(key, table) else None, cost)
    # Rule (o): a noun, then 里, where the noun's last character and 里 make
    # a phrase that jieba counts as a word of place (花海 | 里, not 花 | 海里).
    places = {}
    for key, value in phrases.items():
        if tags.get(key) == PLACE_TAG and len(key) == 2 and value[1] == key[1] != table.get(key[1], key[1]):
            places.setdefault(key[0], []).append(key[1])
    convert = converter(table, lexicon, representative, character_costs)
    added = {}
    for noun, tag in sorted(tags.items()):
        if tag not in NOUN_TAGS or not 2 <= len(noun) < MAX_LENGTH or not all(map(is_gbk_double_byte, noun)):
            continue
        for after in places.get(noun[-1], ()):
            text = noun + after
            written = convert(noun) + table.get(after, after)
            if text not in word_list and convert(text) != written:
                added[group_key(text, representative)] = (text, written if by_characters(text, table) != written
                                                          else None)
    for folded, (text, written) in added.items():
        if folded not in lexicon:
            lexicon[folded] = (text, written, max(0, min(MAX_COST, best_reading(folded, lexicon, character_costs) - 1)))
    # Rule (p)'s readings cost what their pieces do: they win alone, as the
    # longer first piece, but never against a word that the thing begins
    # (冲个水 | 管 against 水管). So do rule (l)'s pairs that are part of
    # names but no word of the list, which keep the character alone too
    # (克托 in 乔克托语, Choctaw; 委托 | 利用 as before).
    measured = measured_objects(phrases, table, word_list, tags, convert, representative) if objects else {}
    if objects:
        measured.update((group_key(text, representative),
                         (text, keeping(text, by_characters(text, table), own_forms)))
                        for text in sorted(name_pairs))
    for folded, (text, written) in measured.items():
        if folded not in lexicon:
            lexicon[folded] = (text, written, min(MAX_COST, best_reading(folded, lexicon, character_costs)))
    # Rule (n): a phrase or word whose form leaves the group is found again
    # in its own output, at its own cost, so that a second run cuts alike.
    for key, value, cost in list(lexicon.values()):
        if value is None:
            continue
        written = "".join(form if (form, char) in exits else char for char, form in zip(key, value))
        folded = group_key(written, representative)
        if written != key and folded not in lexicon:
            lexicon[folded] = (written, value if by_characters(written, table) != value else None, cost)
    # Rule (m): an entry that costs more than the cheapest other cut of its
    # own characters is never read whole, in any text, so it changes no cut:
    # dropped. Dropping one never makes another's other cut dearer (its place
    # goes to a cheaper cut), so the order does not matter.
    dropped = 0
    for folded in sorted(lexicon, key=lambda folded: (len(folded), folded)):
        if lexicon[folded][2] > best_reading(folded, lexicon, character_costs):
            del lexicon[folded]
            dropped += 1
    return lexicon, character_costs, priced, dropped


def measured_objects(phrases, table, word_list, tags, convert, representative):
    """Rule (p): {folded text: (text, its form or None)} for each verb–object
    phrase whose verb takes a form of its own there, read again with a
    measure word, or 一 and one, and 了 before either, between the verb and
    its object (冲个澡, 冲一杯茶, 冲了个澡)."""
    def measure(word):
        return tags.get(word) == MEASURE_TAG and len(word) == 1 and is_gbk_double_byte(word)

    # The general measure word is the one jieba counts most often after 一
    # (一个); the others go with a thing where jieba lists a verb or a
    # numeral, then them, then the thing as a word (倒杯茶, 三杯水).
    general = max((word for word in tags if measure(word)), key=lambda word: (word_list[NUMERAL + word], word))
    measures = collections.defaultdict(lambda: {general})
    for word, tag in tags.items():
        if len(word) == 3 and measure(word[1]) and tags.get(word[0]) in VERB_TAGS | {NUMERAL_TAG}:
            measures[word[2]].add(word[1])
    added = {}
    for key, value in sorted(phrases.items()):
        if (len(key) != 2 or tags.get(key) not in VERB_TAGS or tags.get(key[1]) != OBJECT_TAG or
                value[0] == table.get(key[0], key[0]) or value[1] != table.get(key[1], key[1])):
            continue
        # A phrase that ends a longer noun or set phrase of the list is a
        # thing, not a verb and its object, whatever its own tag says (电回路,
        # 头发网).
        if any(word.endswith(key) and len(word) > 2 and tag in THING_TAGS for word, tag in tags.items()):
            continue
        verb, thing = key
        for word in sorted(measures[thing]):
            # Where the verb and the measure word, or the measure word and
            # the thing, make a word, the text is that word, not this reading
            # (回家 | 路).
            if verb + word in word_list or word + thing in word_list:
                continue
            for between in (word, NUMERAL + word, ASPECT + word, ASPECT + NUMERAL + word):
                text = verb + between + thing
                written = value[0] + convert(between + thing)
                if text not in word_list and convert(text) != written:
                    added[group_key(text, representative)] = (text, written if by_characters(text, table) != written
                                                              else None)
    return added


def best_reading(folded, lexicon, character_costs):
    """The cost of the cheapest cut of `folded` that does not take it whole."""
    best = [0] * (len(folded) + 1)
    for at in range(len(folded) - 1, -1, -1):
        best[at] = character_costs.get(folded[at], MAX_COST) + best[at + 1]
        for end in range(at + 2, len(folded) + 1):
            entry = lexicon.get(folded[at:end])
            if entry is not None and (at, end) != (0, len(folded)):
                best[at] = min(best[at], entry[2] + best[end])
    return best[0]


def converter(table, lexicon, representative, character_costs):
    """What the converter writes for a text: the cheapest cut of it into the
    lexicon's keys ({folded key: (key, converted form or None, cost)}) and single
    characters (character_costs by group, MAX_COST for the rest), a cheaper
    cut first and of two alike the one with the longer first piece; each key
    written as its converted form, or by the table where it has none, each
    character by the table. Spaces are read through."""
    longest = max(map(len, lexicon), default=0)

    def convert_dense(text):
        folded = group_key(text, representative)
        size = len(text)
        best = [(0, 0)] * (size + 1)
        for at in range(size - 1, -1, -1):
            best[at] = (character_costs.get(folded[at], MAX_COST) + best[at + 1][0], -1)
            for end in range(at + 2, min(size, at + longest) + 1):
                entry = lexicon.get(folded[at:end])
                if entry is not None:
                    best[at] = min(best[at], (entry[2] + best[end][0], at - end))
        out = []
        at = 0
        while at < size:
            end = at - best[at][1]
            value = lexicon[folded[at:end]][1] if end > at + 1 else None
            out.append(value if value is not None else by_characters(text[at:end], table))
            at = end
        return "".join(out)

    def convert(text):
        dense = convert_dense("".join(char for char in text if char not in SPACES))
        units = iter(dense)
        return "".join(char if char in SPACES else next(units) for char in text)

    return convert


def check_phrases(phrases, table, representative, lexicon, character_costs):
    """Every stored phrase and every word with a form of its own, alone,
    converts to its converted form, and that form to itself: what the
    converter's tests take for granted."""
    convert = converter(table, lexicon, representative, character_costs)
    for key, value in list(phrases.items()) + [(key, value) for key, value, _ in lexicon.values() if value]:
        once = convert(key)
        if once != value or convert(once) != once:
            sys.exit(f"{key}: converts to {once}, then to {convert(once)}, expected {value}")


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
    """Every form OpenCC writes for `char` alone, per rule (g), in order."""
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
           "// Apache License 2.0 (styling/opencc/OPENCC-LICENSE); {what}\n")


def provenance(version, sources, transform=None):
    text = (f"// Generated by {SCRIPT} from OpenCC {version} (Debian libopencc-data): "
            f"{', '.join(sources)}")
    if transform:
        text += f",\n// and ICU's CLDR transform {transform} (Debian icu-devtools {package_version('icu-devtools')})"
    return text + ". Do not edit.\n"


def pair_line(first, second, comment):
    return f"{{u'\\u{ord(first):04X}', u'\\u{ord(second):04X}'}},  // {comment}\n"


def character_text(table, version, sources, transform, what):
    text = provenance(version, sources, transform)
    text += LICENCE.format(what=f"one {what[1]} form chosen per\n// {what[0]} character by the generator above.")
    text += f"// {len(table)} pairs {{{what[0]}, {what[1]}}}, sorted by the {what[0]} code unit.\n"
    for source in sorted(table):
        text += pair_line(source, table[source], f"{source} {table[source]}")
    return text


def group_text(representative, version, sources, what):
    members = collections.defaultdict(list)
    for char, group in representative.items():
        members[group].append(char)
    text = provenance(version, sources)
    text += LICENCE.format(what=f"the groups of characters that the\n// {what} conversion's phrases are "
                                f"matched by, formed by the generator above.")
    text += (f"// {len(members)} groups as one string: each its number of characters, then those\n"
             f"// characters in code order (the first, the smallest, stands for the group);\n"
             f"// sorted by that first character.\n")
    for group in sorted(members):
        chars = sorted(members[group] + [group])
        text += f'u"\\u{len(chars):04X}" u"{"".join(chars)}"\n'
    return text


def small_number(value):
    """One byte below 0xC0; two, the first 0xC0 to 0xFE, below 0x3FC0; else
    0xFF and three bytes, low first."""
    assert 0 <= value < 1 << 24
    if value < 0xC0:
        return bytes([value])
    if value < 0x3FC0:
        value -= 0xC0
        return bytes([0xC0 + (value >> 8), value & 0xFF])
    return bytes([0xFF, value & 0xFF, (value >> 8) & 0xFF, value >> 16])


def zigzag(value):
    """0, -1, 1, -2, 2... as 0, 1, 2, 3, 4..."""
    return 2 * value if value >= 0 else -2 * value - 1


def u32(value):
    return value.to_bytes(4, "little")


def u16s(chars):
    return b"".join(ord(char).to_bytes(2, "little") for char in chars)


def byte_literal(data, width=96):
    """A C++ string literal of these bytes, in lines: printable ASCII as it
    is, the rest as three-digit octal escapes, which no digit after them can
    lengthen."""
    lines, line = [], ""
    for byte in data:
        char = chr(byte)
        piece = char if 0x20 <= byte < 0x7F and char not in '"\\?' else f"\\{byte:03o}"
        if len(line) + len(piece) > width:
            lines.append(f'"{line}"')
            line = ""
        line += piece
    lines.append(f'"{line}"')
    return "\n".join(lines) + "\n"


# Below this many characters shared with the entry before, an entry's next
# character is written as a difference (packed_phrases).
DELTA_SHARED = 2


def packed_phrases(lexicon, representative, table):
    """The phrase list as bytes, in streams of one kind each, so that gzip
    finds each kind's own regularities; the entries sorted group-wise:

      header: seven u32, little-endian: entries, characters, the bytes of
              the characters, targets, and the bytes of the deltas, of the
              other characters and of the forms
      characters: every character of a key, sorted group-wise, each as its
                  difference from the one before (the first from 0), zigzag
                  coded
      by frequency: u16 each, the same characters' indices, most used first
      targets: u16 each, the forms' characters that are neither the table's
               nor the source's, most used first
      heads: a byte each: 0x80 for a phrase with a form of its own, 0x10
             times the characters (up to 7) shared with the entry before,
             plus the length
      costs: a byte each
      deltas: for each entry that shares fewer than two characters with the
              one before, its first character not shared, as the difference
              of its index in `characters` from that of the entry before at
              the same place (0 where that one is shorter), zigzag coded: the
              list is sorted, so it is mostly small
      others: the rest of the key's characters, each by its place in `by
              frequency`: past two shared characters few entries share the
              next one, and its frequency says more than its order
      forms: for each phrase with a form, a byte for each character the
             table would write otherwise: its place (bits 0 to 3), 0x40 where
             the form keeps the source's character, else followed by its place
             in `targets`; 0x80 on the last

    Numbers in the last three are small_numbers."""
    entries = [lexicon[folded] for folded in sorted(lexicon)]
    alphabet = sorted({char for key, _, _ in entries for char in key},
                      key=lambda char: (representative.get(char, char), char))
    index = {char: i for i, char in enumerate(alphabet)}
    heads, costs, deltas, others, forms = bytearray(), bytearray(), bytearray(), bytearray(), bytearray()
    used, target_used = collections.Counter(), collections.Counter()
    previous = ""
    plan = []
    for key, value, cost in entries:
        assert 2 <= len(key) <= MAX_LENGTH and 0 <= cost <= MAX_COST
        shared = 0
        while shared < min(len(key), len(previous), 7) and key[shared] == previous[shared]:
            shared += 1
        used.update(key[shared + 1:] if shared < DELTA_SHARED else key[shared:])
        changed = []
        if value is not None:
            changed = [(i, char) for i, (source, char) in enumerate(zip(key, value))
                       if table.get(source, source) != char]
            assert changed
            target_used.update(char for i, char in changed if char != key[i])
        plan.append((key, value, cost, shared, previous, changed))
        previous = key
    by_frequency = [char for char, _ in used.most_common()]
    by_frequency += [char for char in alphabet if char not in used]
    rank = {char: i for i, char in enumerate(by_frequency)}
    targets = [char for char, _ in target_used.most_common()]
    target_rank = {char: i for i, char in enumerate(targets)}
    for key, value, cost, shared, previous, changed in plan:
        heads.append((0x80 if value is not None else 0) | shared << 4 | len(key))
        costs.append(cost)
        rest = key[shared:]
        if shared < DELTA_SHARED:
            difference = index[key[shared]] - (index[previous[shared]] if shared < len(previous) else 0)
            deltas += small_number(zigzag(difference))
            rest = key[shared + 1:]
        for char in rest:
            others += small_number(rank[char])
        for n, (i, char) in enumerate(changed):
            last = 0x80 if n == len(changed) - 1 else 0
            if char == key[i]:
                forms.append(last | 0x40 | i)
            else:
                forms.append(last | i)
                forms += small_number(target_rank[char])
    characters, previous = bytearray(), 0
    for char in alphabet:
        characters += small_number(zigzag(ord(char) - previous))
        previous = ord(char)
    header = b"".join(map(u32, (len(entries), len(alphabet), len(characters), len(targets), len(deltas),
                                len(others), len(forms))))
    return (header + bytes(characters) + b"".join(index[char].to_bytes(2, "little") for char in by_frequency) +
            u16s(targets) + bytes(heads) + bytes(costs) + bytes(deltas) + bytes(others) + bytes(forms))


def phrase_text(lexicon, representative, table, version, sources, what, groups_output):
    text = provenance(version, sources)
    text += LICENCE.format(what=f"the {what[0]} phrases that the\n// character table would convert otherwise, "
                                f"with their {what[1]} form, and, with their costs,\n// the words of "
                                f"jieba's dictionary (MIT, styling/opencc/JIEBA-LICENSE) that weigh the cuts.")
    phrases = sum(1 for _, value, _ in lexicon.values() if value is not None)
    data = packed_phrases(lexicon, representative, table)
    text += (f"// {phrases} phrases with their {what[1]} form and {len(lexicon) - phrases} words, sorted\n"
             f"// group-wise (each character read as the first of its group in\n"
             f"// {os.path.basename(groups_output)}), packed in {len(data)} bytes as the generator's\n"
             f"// packed_phrases describes.\n")
    return text + byte_literal(data)


def costs_text(character_costs, representative, version, what):
    """The single characters' costs: for each cost, a byte, how many
    characters, then those characters in code order, each group under its
    first character, each as its distance from the one before (the first
    from 0); the numbers small_numbers."""
    text = (f"// Generated by {SCRIPT} from jieba's dictionary (Debian {WORD_LIST_PACKAGE} "
            f"{package_version(WORD_LIST_PACKAGE)},\n// MIT, styling/opencc/JIEBA-LICENSE) and the groups of "
            f"{what}. Do not edit.\n")
    by_cost = collections.defaultdict(list)
    for group, cost in character_costs.items():
        if cost < MAX_COST and ord(group) < 0xD800:
            by_cost[cost].append(group)
    text += (f"// {sum(map(len, by_cost.values()))} characters' costs as -ln(count / total) in sevenths, "
             f"for the characters\n// jieba counts alone (the others cost {MAX_COST}): runs of a cost, a count, "
             f"then that many\n// characters, each the first of its group, as distances.\n")
    data = bytearray()
    for cost in sorted(by_cost):
        chars = sorted(by_cost[cost])
        data.append(cost)
        data += small_number(len(chars))
        previous = 0
        for char in chars:
            data += small_number(ord(char) - previous)
            previous = ord(char)
    return text + byte_literal(data)


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


def build_tables(opencc_dir):
    """Both directions' tables: ({dictionary: entries}, OpenCC's own TSCharacters,
    {character dictionary: (table, phrases, lexicon, representative, character
    costs)}, the characters looked at)."""
    names = (ST_CHARACTERS, ST_PHRASES, TS_CHARACTERS, TS_PHRASES, TW_VARIANTS) + VARIANTS_TO_STANDARD + tuple(
        phrases for _, phrases in READ_BACK)
    with tempfile.TemporaryDirectory() as workdir:
        dictionaries = {name: read_dictionary(opencc_dir, name, workdir) for name in names}
    ts_characters = dict(dictionaries[TS_CHARACTERS])
    simplified_sources = {source for source, _ in dictionaries[ST_CHARACTERS]}
    dictionaries[ST_CHARACTERS], dictionaries[ST_PHRASES] = taiwan_forms(
        dictionaries[ST_CHARACTERS], dictionaries[ST_PHRASES], dict(dictionaries[TW_VARIANTS]))
    dictionaries[TS_CHARACTERS], dictionaries[TS_PHRASES] = reading_back(
        dictionaries[TS_CHARACTERS], dictionaries[TS_PHRASES],
        [(dict(dictionaries[variants]), dictionaries[phrases]) for variants, phrases in READ_BACK],
        simplified_sources)

    word_list = read_word_list(WORD_LIST)
    looked_at = set()
    tables = {}
    for direction, characters, phrases, transform in (
            ("simplified to traditional", ST_CHARACTERS, ST_PHRASES, "Hans-Hant"),
            ("traditional to simplified", TS_CHARACTERS, TS_PHRASES, "Hant-Hans")):
        print(f"{direction}, characters ({characters}, {phrases}, CLDR {transform}):")
        table, stats, seen = build(dictionaries[characters], dictionaries[phrases], transform,
                                  OVERRIDES[characters])
        looked_at |= seen
        for name in CHARACTER_STATS:
            print(f"  {name}: {stats[name]}")
        print(f"  pairs written: {len(table)}")
        tables[characters] = table
    built = {}
    for direction, characters, phrase_list, other in (
            ("simplified to traditional", ST_CHARACTERS, ST_PHRASES, TS_CHARACTERS),
            ("traditional to simplified", TS_CHARACTERS, TS_PHRASES, ST_CHARACTERS)):
        table = tables[characters]
        print(f"{direction}, phrases ({phrase_list}):")
        phrases, lexicon, representative, character_costs, stats = build_phrases(
            dictionaries[phrase_list], table, dictionaries[characters], tables[other], word_list,
            WORD_OVERRIDES[characters], PHRASE_OVERRIDES[characters],
            # The word list is simplified text: it can attest only the keys of
            # that script, so back from traditional every text counts.
            set(word_list[0]) if characters == ST_CHARACTERS else None)
        for name in PHRASE_STATS:
            print(f"  {name}: {stats[name]}")
        grouped = collections.Counter(representative.values())
        print(f"  groups of characters: {len(grouped)}, holding {sum(grouped.values()) + len(grouped)} characters")
        check_phrases(phrases, table, representative, lexicon, character_costs)
        looked_at.update(char for key, value in phrases.items() for char in key + value)
        built[characters] = (table, phrases, lexicon, representative, character_costs)
    return dictionaries, ts_characters, built, looked_at


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--check", action="store_true",
                        help="compare with the committed files instead of writing them")
    parser.add_argument("--opencc-dir", default="/usr/share/opencc")
    args = parser.parse_args()

    dictionaries, ts_characters, built, looked_at = build_tables(args.opencc_dir)
    traditional, _, traditional_lexicon, traditional_groups, traditional_costs = built[ST_CHARACTERS]
    simplified, _, simplified_lexicon, simplified_groups, simplified_costs = built[TS_CHARACTERS]

    failures = round_trip_failures(traditional, simplified)
    print(f"simplified characters that do not come back from traditional: {len(failures)}")
    for source, there, back in failures:
        print(f"  {source} -> {there} -> {back}")

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

    version = package_version("libopencc-data")
    outputs = {
        TRADITIONAL_OUTPUT: character_text(traditional, version, (ST_CHARACTERS, ST_PHRASES), "Hans-Hant",
                                            ("simplified", "traditional")),
        TRADITIONAL_PHRASES_OUTPUT: phrase_text(traditional_lexicon, traditional_groups, traditional, version,
                                                (ST_PHRASES, ST_CHARACTERS, TW_VARIANTS), ("simplified", "traditional"),
                                                TRADITIONAL_GROUPS_OUTPUT),
        TRADITIONAL_COSTS_OUTPUT: costs_text(traditional_costs, traditional_groups, version,
                                             os.path.basename(TRADITIONAL_GROUPS_OUTPUT)),
        SIMPLIFIED_OUTPUT: character_text(simplified, version, (TS_CHARACTERS, TS_PHRASES), "Hant-Hans",
                                           ("traditional", "simplified")),
        SIMPLIFIED_PHRASES_OUTPUT: phrase_text(simplified_lexicon, simplified_groups, simplified, version,
                                               (TS_PHRASES, TS_CHARACTERS) + tuple(name for pair in READ_BACK
                                                                                   for name in pair),
                                               ("traditional", "simplified"), SIMPLIFIED_GROUPS_OUTPUT),
        SIMPLIFIED_COSTS_OUTPUT: costs_text(simplified_costs, simplified_groups, version,
                                            os.path.basename(SIMPLIFIED_GROUPS_OUTPUT)),
        TRADITIONAL_GROUPS_OUTPUT: group_text(traditional_groups, version, (ST_CHARACTERS, ST_PHRASES),
                                              "simplified-to-traditional"),
        SIMPLIFIED_GROUPS_OUTPUT: group_text(simplified_groups, version, (TS_CHARACTERS, TS_PHRASES),
                                             "traditional-to-simplified"),
        MARTIAN_OUTPUT: martian_text(preferred, version),
    }
    differing = []
    for path, text in outputs.items():
        full = os.path.join(REPO, path)
        if args.check:
            if not os.path.exists(full):
                differing.append(path)
                continue
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
