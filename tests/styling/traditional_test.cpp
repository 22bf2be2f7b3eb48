#include <gtest/gtest.h>

#include <string>

#include "styling.h"

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

#endif

}  // namespace
}  // namespace vellumino
