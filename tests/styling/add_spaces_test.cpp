#include <gtest/gtest.h>

#include <random>
#include <string>

#include "styling.h"
#include "text_ops.h"
#include "unicode_data.h"

namespace vellumino {
namespace {

struct SpacesCase {
    std::u16string text, expected;
    friend void PrintTo(const SpacesCase& c, std::ostream* os) { *os << testing::PrintToString(c.text); }
};

class AddSpacesTest : public testing::TestWithParam<SpacesCase> {};

TEST_P(AddSpacesTest, SpreadsCharacters)
{
    EXPECT_EQ(AddSpaces(GetParam().text), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, AddSpacesTest,
    testing::Values(SpacesCase{u"abc", u"a b c"}, SpacesCase{u"签名", u"签 名"},
                    SpacesCase{u"a b c", u"a b c"}, SpacesCase{u"a  b", u"a b"}, SpacesCase{u"a   b", u"a b"},
                    SpacesCase{u" ab ", u"a b"}, SpacesCase{u"x", u"x"}, SpacesCase{u"", u""},
                    SpacesCase{u"    ", u""}, SpacesCase{u"a\tb", u"a \t b"},
                    // An emoji is one character, never split by a space.
                    SpacesCase{u"a\U0001F600b", u"a \U0001F600 b"},
                    SpacesCase{u"\U0001F600\U0001F44D", u"\U0001F600 \U0001F44D"},
                    // A lone surrogate is carried along as a character of its own.
                    SpacesCase{std::u16string{u'a', char16_t(0xD800), u'b'},
                               std::u16string{u'a', u' ', char16_t(0xD800), u' ', u'b'}},
                    SpacesCase{std::u16string{char16_t(0xDC00), char16_t(0xD800)},
                               std::u16string{char16_t(0xDC00), u' ', char16_t(0xD800)}}));

// A character is what a reader sees as one: never a space inside it.
INSTANTIATE_TEST_SUITE_P(
    Clusters, AddSpacesTest,
    testing::Values(SpacesCase{u"我\u2764\uFE0F你", u"我 \u2764\uFE0F 你"},             // heart, emoji style
                    SpacesCase{u"赞\U0001F44D\U0001F3FD", u"赞 \U0001F44D\U0001F3FD"},  // skin tone
                    SpacesCase{u"\U0001F1E8\U0001F1F3\U0001F1EF\U0001F1F5",
                               u"\U0001F1E8\U0001F1F3 \U0001F1EF\U0001F1F5"},
                    SpacesCase{u"\U0001F1E8\U0001F1F3\U0001F1EF",
                               u"\U0001F1E8\U0001F1F3 \U0001F1EF"},  // a flag and a half
                    SpacesCase{u"家\U0001F468\u200D\U0001F469\u200D\U0001F467",
                               u"家 \U0001F468\u200D\U0001F469\u200D\U0001F467"},
                    SpacesCase{u"cafe\u0301", u"c a f e\u0301"},
                    SpacesCase{u"1\uFE0F\u20E3 2", u"1\uFE0F\u20E3 2"},                     // keycap
                    SpacesCase{u"\uD55C\u1100\u1161\u11A8", u"\uD55C \u1100\u1161\u11A8"},  // syllable, jamo
                    SpacesCase{u"a\r\nb", u"a \r\n b"},
                    // A space carrying a mark is a lone accent: a character, kept whole
                    // and spaced like one, even at the ends and after other spaces.
                    SpacesCase{u"a \u0301b", u"a  \u0301 b"}, SpacesCase{u" \u0301", u" \u0301"},
                    SpacesCase{u"a   \u200Db  ", u"a  \u200D b"},
                    // No space where it would join its neighbour: before a mark that
                    // starts a cluster, after a sign that prepends itself.
                    SpacesCase{u"\t\u0301x", u"\t\u0301 x"}, SpacesCase{u"\u0301x", u"\u0301 x"},
                    SpacesCase{u"\u0600\n", u"\u0600\n"},
                    SpacesCase{u"\u0600 1", u"\u0600  1"}));  // the sign takes the space

// Every fully-qualified emoji Unicode lists, alone and between two Chinese
// characters: each stays whole.
TEST(AddSpacesEmoji, KeepsEveryListedEmojiWhole)
{
    std::size_t declared = 0, checked = 0, split = 0;
    for (const auto& line : testing_unicode::Lines("emoji/emoji-test.txt")) {
        if (line.rfind("# fully-qualified :", 0) == 0)
            declared = std::stoul(line.substr(19));
        const auto semicolon = line.find(';');
        if (line.empty() || line[0] == '#' || semicolon == std::string::npos ||
            line.find("fully-qualified", semicolon) != line.find_first_not_of(' ', semicolon + 1))
            continue;
        const std::u16string emoji = testing_unicode::FromHex(line.substr(0, semicolon));
        ++checked;
        const bool whole =
            AddSpaces(emoji) == emoji && AddSpaces(u"我" + emoji + u"你") == u"我 " + emoji + u" 你";
        split += !whole;
        EXPECT_TRUE(whole) << line;
    }
    EXPECT_EQ(checked, declared);
    EXPECT_GT(checked, 3000u);
    std::printf("emoji-test.txt: %zu fully-qualified sequences, %zu split\n", checked, split);
}

std::size_t CountPairs(const std::u16string& text)
{
    std::size_t pairs = 0;
    for (std::size_t i = 0; i < text.size(); i += CharacterLength(text, i))
        pairs += CharacterLength(text, i) == 2;
    return pairs;
}

// Random texts over an alphabet that stresses the edges: runs of spaces,
// tabs, CJK, emoji pairs and stray surrogate halves.
TEST(AddSpacesProperties, HoldOnRandomTexts)
{
    const std::u16string pieces[] = {u" ",
                                     u"  ",
                                     u"a",
                                     u"签",
                                     u"\t",
                                     u"\U0001F600",
                                     u"\U00020000",
                                     std::u16string(1, char16_t(0xD83D)),
                                     std::u16string(1, char16_t(0xDE00))};
    std::mt19937 random(20261208);
    std::uniform_int_distribution<std::size_t> pick(0, std::size(pieces) - 1);
    std::uniform_int_distribution<int> length(0, 30);
    for (int round = 0; round < 5000; ++round) {
        std::u16string text;
        for (int n = length(random); n > 0; --n)
            text += pieces[pick(random)];

        const auto spread = AddSpaces(text);
        SCOPED_TRACE(testing::PrintToString(text));
        EXPECT_EQ(AddSpaces(spread), spread);
        EXPECT_EQ(spread.find(u"  "), std::u16string::npos);
        if (!spread.empty()) {
            EXPECT_NE(spread.front(), u' ');
            EXPECT_NE(spread.back(), u' ');
        }
        EXPECT_EQ(CountPairs(spread), CountPairs(text));  // no pair split apart
        // Nothing but spaces is ever added or removed.
        std::u16string kept = text, keptSpread = spread;
        std::erase(kept, u' ');
        std::erase(keptSpread, u' ');
        EXPECT_EQ(kept, keptSpread);
    }
}

}  // namespace
}  // namespace vellumino
