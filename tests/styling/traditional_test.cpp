#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "styling.h"

#if !defined(_WIN32)
#include <iconv.h>

#include "traditional_table.h"
#endif

namespace vellumino {
namespace {

const char16_t kHigh = 0xD83D;  // the halves of U+1F600
const char16_t kLow = 0xDE00;

struct Conversion {
    std::u16string text, expected;
};

void PrintTo(const Conversion& conversion, std::ostream* out)
{
    *out << testing::PrintToString(conversion.text);
}

class ToTraditionalTest : public testing::TestWithParam<Conversion> {};

TEST_P(ToTraditionalTest, Converts)
{
    const auto result = ToTraditional(GetParam().text);
    EXPECT_EQ(result, GetParam().expected);
    EXPECT_EQ(ToTraditional(result), result);
}

INSTANTIATE_TEST_SUITE_P(
    Simplified, ToTraditionalTest,
    testing::Values(Conversion{u"个性签名", u"個性簽名"}, Conversion{u"国", u"國"}, Conversion{u"", u""},
                    Conversion{u"QQ签名: 2024!", u"QQ簽名: 2024!"},
                    Conversion{u"↗℡个性签名╰☆", u"↗℡個性簽名╰☆"},
                    // Neighbours outside code page 936 neither stop nor disturb the mapping.
                    Conversion{u"\U0001F600签\U0001F600", u"\U0001F600簽\U0001F600"},
                    Conversion{std::u16string{kHigh, u'国', kLow}, std::u16string{kHigh, u'國', kLow}}));

INSTANTIATE_TEST_SUITE_P(
    Unchanged, ToTraditionalTest,
    testing::Values(Conversion{u"個性簽名", u"個性簽名"}, Conversion{u"國家", u"國家"},
                    Conversion{u"Hello, world 123", u"Hello, world 123"}, Conversion{u"↗℡╰☆", u"↗℡╰☆"},
                    Conversion{u"①②④⑦", u"①②④⑦"}, Conversion{u"あいアイヅ", u"あいアイヅ"},
                    Conversion{u"\U0001F600\U0001F44D", u"\U0001F600\U0001F44D"},
                    Conversion{std::u16string{kHigh}, std::u16string{kHigh}},
                    Conversion{std::u16string{kLow, kHigh}, std::u16string{kLow, kHigh}},
                    Conversion{std::u16string{u'a', kLow, u'b'}, std::u16string{u'a', kLow, u'b'}}));

#if !defined(_WIN32)

// The choices the table makes among several traditional forms.
INSTANTIATE_TEST_SUITE_P(TableChoices, ToTraditionalTest,
                         testing::Values(Conversion{u"签", u"簽"}, Conversion{u"钟", u"鐘"},
                                         Conversion{u"干", u"乾"}, Conversion{u"个", u"個"},
                                         Conversion{u"里", u"里"}, Conversion{u"公里", u"公里"}));

// The GBK bytes of one code unit as glibc writes them; empty if it cannot.
std::string ToGbk(char16_t unit)
{
    const iconv_t converter = iconv_open("GBK", "UTF-16LE");
    char in[2] = {static_cast<char>(unit & 0xFF), static_cast<char>(unit >> 8)};
    char out[8] = {};
    char* inPtr = in;
    char* outPtr = out;
    std::size_t inLeft = sizeof in, outLeft = sizeof out;
    const bool ok = iconv(converter, &inPtr, &inLeft, &outPtr, &outLeft) != static_cast<std::size_t>(-1);
    iconv_close(converter);
    return ok ? std::string(out, sizeof out - outLeft) : std::string();
}

// Every character that GBK writes in two bytes, in code order.
std::u16string AllDoubleByteGbk()
{
    const iconv_t converter = iconv_open("UTF-16LE", "GBK");
    std::u16string all;
    for (int lead = 0x81; lead <= 0xFE; ++lead) {
        for (int trail = 0x40; trail <= 0xFE; ++trail) {
            char in[2] = {static_cast<char>(lead), static_cast<char>(trail)};
            unsigned char out[4] = {};
            char* inPtr = in;
            char* outPtr = reinterpret_cast<char*>(out);
            std::size_t inLeft = sizeof in, outLeft = sizeof out;
            iconv(converter, nullptr, nullptr, nullptr, nullptr);
            if (iconv(converter, &inPtr, &inLeft, &outPtr, &outLeft) != static_cast<std::size_t>(-1) &&
                outLeft == 2) {
                all += static_cast<char16_t>(out[0] | out[1] << 8);
            }
        }
    }
    iconv_close(converter);
    return all;
}

using platform::TraditionalPair;

bool IsSource(char16_t unit)
{
    const auto table = platform::TraditionalTable();
    return std::binary_search(
        table.begin(), table.end(), TraditionalPair{unit, 0},
        [](const TraditionalPair& a, const TraditionalPair& b) { return a.simplified < b.simplified; });
}

TEST(TraditionalTable, IsSortedGbkAndFinal)
{
    const auto table = platform::TraditionalTable();
    ASSERT_GT(table.size(), 2500u);
    for (std::size_t i = 0; i < table.size(); ++i) {
        const auto [source, target] = table[i];
        SCOPED_TRACE(testing::Message() << "entry " << i << ": U+" << std::hex << int{source});
        if (i > 0) {
            EXPECT_LT(table[i - 1].simplified, source);
        }
        EXPECT_EQ(ToGbk(source).size(), 2u);
        EXPECT_EQ(ToGbk(target).size(), 2u);
        EXPECT_NE(source, target);
        EXPECT_FALSE(IsSource(target));
        EXPECT_EQ(ToTraditional(std::u16string{source}), std::u16string{target});
    }
}

TEST(ToTraditionalProperties, EveryGbkCharacterStaysOneGbkCharacter)
{
    const std::u16string all = AllDoubleByteGbk();
    ASSERT_GT(all.size(), 21000u);
    for (const char16_t unit : all) {
        const auto result = ToTraditional(std::u16string{unit});
        SCOPED_TRACE(testing::Message() << "U+" << std::hex << int{unit});
        ASSERT_EQ(result.size(), 1u);
        EXPECT_EQ(ToGbk(result[0]).size(), 2u);
        EXPECT_EQ(ToTraditional(result), result);
    }
    const auto converted = ToTraditional(all);
    EXPECT_EQ(converted.size(), all.size());
    EXPECT_EQ(ToTraditional(converted), converted);
}

// Every code unit, surrogate halves and unassigned ones included, in one text:
// only the table's sources may change.
TEST(ToTraditionalProperties, OnlySourcesChange)
{
    std::u16string every(0x10000, u'\0');
    for (std::size_t unit = 0; unit < every.size(); ++unit) {
        every[unit] = static_cast<char16_t>(unit);
    }
    const auto result = ToTraditional(every);
    ASSERT_EQ(result.size(), every.size());
    std::size_t changed = 0;
    for (std::size_t unit = 0; unit < every.size(); ++unit) {
        if (result[unit] != every[unit]) {
            ++changed;
            EXPECT_TRUE(IsSource(every[unit])) << "U+" << std::hex << unit;
        }
    }
    EXPECT_EQ(changed, platform::TraditionalTable().size());
}

#endif

}  // namespace
}  // namespace vellumino
