#include <gtest/gtest.h>

#include "html.h"
#include "text_ops.h"

namespace vellumino {
namespace {

struct ReplaceCase {
    std::u16string text, search, replacement, expected;
    friend void PrintTo(const ReplaceCase& c, std::ostream* os) { *os << testing::PrintToString(c.text); }
};

class ReplaceAllTest : public testing::TestWithParam<ReplaceCase> {};

TEST_P(ReplaceAllTest, ScansOnceLeftToRight)
{
    const auto& c = GetParam();
    EXPECT_EQ(ReplaceAll(c.text, c.search, c.replacement), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, ReplaceAllTest,
                         testing::Values(ReplaceCase{u"abb", u"ab", u"a", u"ab"},  // output is not rescanned
                                         ReplaceCase{u"xxx", u"xx", u"x", u"xx"},  // matches never overlap
                                         ReplaceCase{u"", u"a", u"b", u""},        //
                                         ReplaceCase{u"aaaa", u"aa", u"", u""},    //
                                         ReplaceCase{u"a b", u"  ", u"", u"a b"},  // no match
                                         ReplaceCase{u"abc", u"", u"z",
                                                     u"abc"},  // empty search matches nothing
                                         ReplaceCase{u"↗℡↗℡↗℡", u"↗℡↗℡", u"↗℡", u"↗℡↗℡"}));

struct TrimCase {
    std::u16string text, expected;
    friend void PrintTo(const TrimCase& c, std::ostream* os) { *os << testing::PrintToString(c.text); }
};

class TrimTest : public testing::TestWithParam<TrimCase> {};

TEST_P(TrimTest, StripsOnlyOuterSpaces)
{
    EXPECT_EQ(Trim(GetParam().text), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, TrimTest,
                         testing::Values(TrimCase{u"  a b  ", u"a b"}, TrimCase{u"   ", u""},
                                         TrimCase{u"", u""},
                                         TrimCase{u"\ta\t", u"\ta\t"},  // tabs are not spaces
                                         TrimCase{u"\u3000a\u3000", u"\u3000a\u3000"}
                                         // nor is the ideographic one
                                         ));

// Both pages the build writes put text in element content and in attributes
// quoted with either quote; UTF-8 passes untouched.
TEST(EscapeHtmlTest, LeavesNothingThatMarkupWouldRead)
{
    EXPECT_EQ(EscapeHtml("<b onclick='a&&b'>\"x\"</b>"),
              "&lt;b onclick=&#39;a&amp;&amp;b&#39;&gt;&quot;x&quot;&lt;/b&gt;");
    EXPECT_EQ(EscapeHtml("个性签名 \xF0\x9F\x98\x80 &amp;"), "个性签名 \xF0\x9F\x98\x80 &amp;amp;");
    EXPECT_EQ(EscapeHtml(""), "");
}

}  // namespace
}  // namespace vellumino
