#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "styling.h"

namespace vellumino {
namespace {

TEST(AddSymbolsTest, FramesAndFoldsEachDoubleOnce)
{
    const struct {
        SignatureText input;
        SignatureText expected;
    } cases[] = {
        {u"", u"↗℡╰☆"},
        {u"abc", u"↗℡abc╰☆"},
        {u"签名", u"↗℡签名╰☆"},
        {u"↗℡abc╰☆", u"↗℡abc╰☆"},
        {u"↗℡abc", u"↗℡abc╰☆"},
        {u"abc╰☆", u"↗℡abc╰☆"},
        {u"↗℡↗℡abc", u"↗℡↗℡abc╰☆"},
        {u"abc╰☆╰☆", u"↗℡abc╰☆╰☆"},
        {u"a↗℡↗℡b", u"↗℡a↗℡b╰☆"},
        {u"a╰☆╰☆b", u"↗℡a╰☆b╰☆"},
        {u"a↗℡↗℡↗℡b", u"↗℡a↗℡↗℡b╰☆"},
        {u"╰☆abc↗℡", u"↗℡╰☆abc↗℡╰☆"},
        {u"℡↗℡", u"↗℡℡↗℡╰☆"},
        {u"😀", u"↗℡😀╰☆"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(AddSymbols(c.input), c.expected);
}

TEST(AddSymbolsTest, ARunOfThreeLosesOneOrnamentPerClick)
{
    EXPECT_EQ(AddSymbols(AddSymbols(u"a↗℡↗℡↗℡b")), u"↗℡a↗℡b╰☆");
}

SignatureText WithoutOrnaments(SignatureView text)
{
    SignatureText kept;
    for (const char16_t unit : text) {
        if (unit != u'↗' && unit != u'℡' && unit != u'╰' && unit != u'☆')
            kept.push_back(unit);
    }
    return kept;
}

// Every text of up to four pieces, mixing ornaments, their halves, a
// surrogate pair and a lone surrogate.
TEST(AddSymbolsTest, PropertiesOverManyTexts)
{
    const std::array<SignatureText, 9> pieces{
        u"a", u"签", u" ", u"↗℡", u"╰☆", u"↗", u"☆", u"😀", SignatureText(1, char16_t{0xD800})};
    std::vector<SignatureText> texts{u""};
    for (std::size_t begin = 0, length = 1; length <= 4; ++length) {
        const std::size_t end = texts.size();
        for (std::size_t i = begin; i < end; ++i) {
            for (const auto& piece : pieces)
                texts.push_back(texts[i] + piece);
        }
        begin = end;
    }

    for (const auto& text : texts) {
        const auto once = AddSymbols(text);
        SCOPED_TRACE(testing::PrintToString(text));
        EXPECT_LE(once.size(), text.size() + 4);
        EXPECT_TRUE(once.starts_with(u"↗℡") && once.ends_with(u"╰☆"));
        // Folding only ever drops ornaments: everything else, pairs included, stays in order.
        EXPECT_EQ(WithoutOrnaments(once), WithoutOrnaments(text));
        // A second click is a no-op unless a run of three survived as an inner double.
        if (text.find(u"↗℡↗℡↗℡") == SignatureText::npos && text.find(u"╰☆╰☆╰☆") == SignatureText::npos) {
            EXPECT_EQ(AddSymbols(once), once);
        }
    }
}

}  // namespace
}  // namespace vellumino
