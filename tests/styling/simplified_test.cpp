#include <gtest/gtest.h>

#include <map>
#include <string>

#include "conversion.h"
#include "styling.h"

#include "gbk.h"

namespace vellumino {
namespace {

class ToSimplifiedTest : public testing::TestWithParam<Conversion> {};

TEST_P(ToSimplifiedTest, Converts)
{
    const auto result = ToSimplified(GetParam().text);
    EXPECT_EQ(result, GetParam().expected);
    EXPECT_EQ(result.size(), GetParam().text.size());
    EXPECT_EQ(ToSimplified(result), result);
}

INSTANTIATE_TEST_SUITE_P(
    Traditional, ToSimplifiedTest,
    testing::Values(Conversion{u"個性簽名", u"个性签名"}, Conversion{u"我們的國家", u"我们的国家"},
                    Conversion{u"QQ簽名: 2024!", u"QQ签名: 2024!"},
                    Conversion{u"↗℡個性簽名╰☆", u"↗℡个性签名╰☆"},
                    // Mixed text: the simplified characters in it are left as they are.
                    Conversion{u"個性签名", u"个性签名"},
                    Conversion{u"\U0001F600簽\U0001F600", u"\U0001F600签\U0001F600"},
                    Conversion{SignatureText{kHigh, u'國', kLow}, SignatureText{kHigh, u'国', kLow}}));

INSTANTIATE_TEST_SUITE_P(
    Unchanged, ToSimplifiedTest,
    testing::Values(Conversion{u"", u""}, Conversion{u"个性签名", u"个性签名"},
                    Conversion{u"Hello, world 123", u"Hello, world 123"}, Conversion{u"↗℡╰☆", u"↗℡╰☆"},
                    Conversion{u"①②④⑦", u"①②④⑦"}, Conversion{u"あいアイヅ", u"あいアイヅ"},
                    Conversion{u"\U0001F600\U0001F44D", u"\U0001F600\U0001F44D"},
                    Conversion{SignatureText{kHigh}, SignatureText{kHigh}},
                    Conversion{SignatureText{kLow, kHigh}, SignatureText{kLow, kHigh}},
                    Conversion{SignatureText{u'a', kLow, u'b'}, SignatureText{u'a', kLow, u'b'}}));

// The character alone takes its usual form; the words that need another come
// from the phrases.
INSTANTIATE_TEST_SUITE_P(TableChoices, ToSimplifiedTest,
                         testing::Values(Conversion{u"什麼", u"什么"}, Conversion{u"關於", u"关于"},
                                         Conversion{u"乾淨", u"干净"}, Conversion{u"畫畫", u"画画"},
                                         Conversion{u"特徵", u"特征"}, Conversion{u"鐘錶", u"钟表"},
                                         Conversion{u"覆蓋", u"覆盖"}, Conversion{u"毀", u"毁"},
                                         Conversion{u"瞭", u"了"}, Conversion{u"藉", u"藉"},
                                         // 苧 is the form of 薴, so it is never rewritten itself.
                                         Conversion{u"薴苧", u"苧苧"}));

INSTANTIATE_TEST_SUITE_P(Phrases, ToSimplifiedTest,
                         testing::Values(Conversion{u"複製粘貼個性簽名", u"复制粘贴个性签名"},
                                         Conversion{u"複製", u"复制"}, Conversion{u"日誌", u"日志"},
                                         Conversion{u"關係", u"关系"}, Conversion{u"合併", u"合并"},
                                         Conversion{u"註冊", u"注册"}, Conversion{u"發佈", u"发布"},
                                         Conversion{u"發布", u"发布"}, Conversion{u"里瓦斯", u"里瓦斯"},
                                         Conversion{u"托木斯克", u"托木斯克"},
                                         Conversion{u"委託", u"委托"}, Conversion{u"乾隆", u"乾隆"},
                                         Conversion{u"瞭解", u"了解"}, Conversion{u"一目瞭然", u"一目了然"},
                                         Conversion{u"瞭望", u"瞭望"},
                                         Conversion{u"乾坤大挪移", u"乾坤大挪移"}));

// Spaced as 加空格 leaves it, the same words are found.
INSTANTIATE_TEST_SUITE_P(Spaced, ToSimplifiedTest,
                         testing::Values(Conversion{u"乾 隆", u"乾 隆"}, Conversion{u"乾　坤", u"乾　坤"},
                                         Conversion{u"一 目 瞭 然", u"一 目 了 然"},
                                         Conversion{u"個 性 簽 名", u"个 性 签 名"}));

// Simplified text is what ToSimplified leaves alone; a trip to traditional
// and back returns it, except where several simplified characters share one
// traditional form, or the traditional form has no entry of its own
// (tools/gen-traditional-table.py prints the list).
TEST(ToSimplifiedRoundTrip, OnlyTwentyCharactersDoNotComeBack)
{
    std::map<char16_t, char16_t> failures;
    SignatureText simplified;
    for (const char16_t unit : testing_gbk::AllDoubleByteGbk()) {
        const SignatureText text{unit};
        if (ToSimplified(text) != text)
            continue;
        // Hyphenated, so that neighbours in code order never make a phrase.
        simplified += unit;
        simplified += u'-';
        const auto back = ToSimplified(ToTraditional(text));
        if (back != text)
            failures.emplace(unit, back[0]);
    }
    EXPECT_EQ(failures.size(), 20u);
    const std::map<char16_t, char16_t> examples{
        {u'锺', u'钟'}, {u'馀', u'余'}, {u'钜', u'巨'}, {u'昵', u'暱'}, {u'苎', u'苧'}};
    for (const auto& [from, to] : examples) {
        const auto found = failures.find(from);
        ASSERT_NE(found, failures.end()) << testing::PrintToString(SignatureText{from});
        EXPECT_EQ(found->second, to) << testing::PrintToString(SignatureText{from});
    }

    SignatureText expected = simplified;
    for (const auto& [from, to] : failures)
        expected[expected.find(from)] = to;
    EXPECT_EQ(ToSimplified(ToTraditional(simplified)), expected);
}


}  // namespace
}  // namespace vellumino

namespace vellumino {
namespace {

class ToSimplifiedAsWritten : public testing::TestWithParam<Conversion> {};

TEST_P(ToSimplifiedAsWritten, SpacedOrNot)
{
    EXPECT_EQ(ToSimplified(GetParam().text), GetParam().expected);
    EXPECT_EQ(ToSimplified(AddSpaces(GetParam().text)), AddSpaces(GetParam().expected));
}

// Taiwan's, Hong Kong's and OpenCC's standard forms alike: 著 is the
// particle 着 unless a word says otherwise (著名).
INSTANTIATE_TEST_SUITE_P(
    RegionalForms, ToSimplifiedAsWritten,
    testing::Values(Conversion{u"看著我", u"看着我"}, Conversion{u"著急", u"着急"}, Conversion{u"衞生", u"卫生"},
                    Conversion{u"著名", u"著名"}, Conversion{u"著作", u"著作"}, Conversion{u"為了你", u"为了你"},
                    Conversion{u"爲了你", u"为了你"}, Conversion{u"你在我心裡", u"你在我心里"},
                    Conversion{u"你在我心裏", u"你在我心里"}, Conversion{u"吃了一碗麵", u"吃了一碗面"},
                    Conversion{u"溫戶說", u"温户说"}, Conversion{u"啟", u"启"}, Conversion{u"剛才", u"刚才"}));

INSTANTIATE_TEST_SUITE_P(Cuts, ToSimplifiedAsWritten, testing::ValuesIn(Reversed(kCuts)));

// Taiwan's 發布 and the names that keep 里 and 托 come back as they were
// written, in running text as alone.
INSTANTIATE_TEST_SUITE_P(
    TaiwanWordsAndNames, ToSimplifiedAsWritten,
    testing::Values(Conversion{u"重新發布", u"重新发布"}, Conversion{u"發布會", u"发布会"},
                    Conversion{u"去里瓦斯的路上", u"去里瓦斯的路上"}, Conversion{u"托木斯克裡面", u"托木斯克里面"},
                    Conversion{u"馬里蘭的心裡", u"马里兰的心里"}, Conversion{u"程序庫裡", u"程序库里"}));

}  // namespace
}  // namespace vellumino
