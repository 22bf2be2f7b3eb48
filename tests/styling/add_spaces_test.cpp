#include <gtest/gtest.h>

#include <random>

#include "styling.h"
#include "text_ops.h"

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
