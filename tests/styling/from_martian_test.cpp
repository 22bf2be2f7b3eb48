#include <gtest/gtest.h>

#include <cstddef>
#include <map>
#include <set>
#include <string>

#include "conversion.h"
#include "martian_map.h"
#include "styling.h"

namespace vellumino {
namespace {

class FromMartianTest : public testing::TestWithParam<Conversion> {};

TEST_P(FromMartianTest, Converts)
{
    const auto result = FromMartian(GetParam().text);
    EXPECT_EQ(result, GetParam().expected);
    EXPECT_EQ(result.size(), GetParam().text.size());
}

INSTANTIATE_TEST_SUITE_P(
    Martian, FromMartianTest,
    testing::Values(Conversion{u"莪哋签洺", u"我的签名"}, Conversion{u"焱暒妏", u"火星文"},
                    Conversion{u"沵恏", u"你好"}, Conversion{u"①②彡④", u"一二三四"},
                    Conversion{u"↗℡莪哋個性签洺╰☆", u"↗℡我的个性签名╰☆"},
                    Conversion{u"\U0001F600莪\U0001F600", u"\U0001F600我\U0001F600"},
                    Conversion{SignatureText{kHigh, u'莪', kLow}, SignatureText{kHigh, u'我', kLow}}));

// A lookalike shared by several keys goes back to the one it is the
// simplified or standard form of, otherwise to the first listed.
INSTANTIATE_TEST_SUITE_P(SharedLookalikes, FromMartianTest,
                         testing::Values(Conversion{u"財", u"财"}, Conversion{u"戶", u"户"},
                                         Conversion{u"旣", u"既"}, Conversion{u"哋", u"的"},
                                         Conversion{u"汸", u"方"}, Conversion{u"炷", u"主"},
                                         // OpenCC's simplified form of 鉽 is none of its keys.
                                         Conversion{u"鉽", u"式"}));

INSTANTIATE_TEST_SUITE_P(Unchanged, FromMartianTest,
                         testing::Values(Conversion{u"", u""}, Conversion{u"我的签名", u"我的签名"},
                                         Conversion{u"Hello, world 123", u"Hello, world 123"},
                                         Conversion{u"\U0001F600\U0001F44D", u"\U0001F600\U0001F44D"},
                                         Conversion{SignatureText{kHigh}, SignatureText{kHigh}},
                                         Conversion{SignatureText{kLow, kHigh}, SignatureText{kLow, kHigh}}));

// The keys that lose their shared lookalike, and the key it goes back to.
const std::map<char16_t, char16_t> kLosers{
    {u'地', u'的'}, {u'做', u'作'}, {u'防', u'方'}, {u'访', u'方'}, {u'住', u'主'}, {u'注', u'主'},
    {u'尔', u'小'}, {u'响', u'向'}, {u'纪', u'记'}, {u'清', u'情'}, {u'巴', u'把'}, {u'担', u'但'},
    {u'球', u'求'}, {u'双', u'又'}, {u'试', u'式'}, {u'致', u'至'}, {u'征', u'证'}, {u'购', u'构'},
    {u'才', u'财'}, {u'材', u'财'}, {u'洲', u'州'}, {u'她', u'它'}, {u'护', u'户'}, {u'烈', u'列'},
    {u'像', u'象'}, {u'促', u'足'}, {u'即', u'既'}, {u'态', u'太'}, {u'良', u'粮'}, {u'官', u'馆'},
};

TEST(FromMartianRoundTrip, ThirtyKeysLoseTheirLookalike)
{
    std::map<char16_t, char16_t> losers;
    SignatureText keys;
    for (const auto& entry : MartianMap) {
        const auto back = FromMartian(ToMartian(SignatureText{entry.key}));
        if (back != SignatureText{entry.key})
            losers.emplace(entry.key, back[0]);
        else
            keys += entry.key;
    }
    EXPECT_EQ(losers, kLosers);

    // Everything else comes back, Chinese or not, inside a longer text too.
    const SignatureText text = u"签名 " + keys + u" \U0001F600 ↗℡ abc" + SignatureText{kLow};
    EXPECT_EQ(FromMartian(ToMartian(text)), text);
}

// All 65,536 code units in one text: only the lookalikes change, each into one
// of its own keys, so going forth again restores the Martian text.
TEST(FromMartianProperties, OnlyLookalikesChangeAndEachIntoItsKey)
{
    std::set<char16_t> lookalikes;
    for (const auto& entry : MartianMap)
        lookalikes.insert(entry.value);

    SignatureText every(0x10000, u'\0');
    for (std::size_t unit = 0; unit < every.size(); ++unit)
        every[unit] = static_cast<char16_t>(unit);
    const auto result = FromMartian(every);
    ASSERT_EQ(result.size(), every.size());
    std::size_t changed = 0;
    for (std::size_t unit = 0; unit < every.size(); ++unit) {
        if (result[unit] != every[unit]) {
            ++changed;
            EXPECT_TRUE(lookalikes.contains(every[unit])) << "U+" << std::hex << unit;
        }
    }
    EXPECT_EQ(changed, lookalikes.size());
    EXPECT_EQ(ToMartian(result), ToMartian(every));
}

// Where a shared lookalike goes back to its standard form rather than to the
// first key, that form is what the simplified table makes of it too.
TEST(FromMartianProperties, StandardFormsAgreeWithToSimplified)
{
    for (const char16_t lookalike : {u'財', u'戶', u'旣'})
        EXPECT_EQ(FromMartian(SignatureText{lookalike}), ToSimplified(SignatureText{lookalike}));
}


}  // namespace
}  // namespace vellumino
