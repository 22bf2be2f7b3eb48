#include <gtest/gtest.h>

#include <string>

#include "conversion.h"
#include "styling.h"

namespace vellumino {
namespace {

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
                    Conversion{u"\U0001F600签名\U0001F600", u"\U0001F600簽名\U0001F600"},
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

// Words whose characters each have several traditional forms: the phrase
// decides, and the character alone takes its usual form.
INSTANTIATE_TEST_SUITE_P(
    Phrases, ToTraditionalTest,
    testing::Values(Conversion{u"复制", u"複製"}, Conversion{u"日志", u"日誌"}, Conversion{u"关系", u"關係"},
                    Conversion{u"合并", u"合併"}, Conversion{u"注册", u"註冊"}, Conversion{u"发布会", u"發佈會"},
                    Conversion{u"委托", u"委託"}, Conversion{u"复制粘贴个性签名", u"複製粘貼個性簽名"},
                    Conversion{u"时钟", u"時鐘"}, Conversion{u"干净", u"乾淨"}, Conversion{u"若干", u"若干"},
                    Conversion{u"公里", u"公里"}, Conversion{u"标签", u"標籤"}, Conversion{u"恢复", u"恢復"},
                    Conversion{u"头发", u"頭髮"}, Conversion{u"发现", u"發現"},
                    Conversion{u"钟情", u"鍾情"}, Conversion{u"托盘", u"托盤"},
                    Conversion{u"喂养", u"餵養"}, Conversion{u"喂，你好", u"喂，你好"},
                    // The longest phrase wins where two overlap: 文件夹 over 文件, 夹.
                    Conversion{u"文件夹", u"文件夾"},
                    Conversion{u"复制文件夹里的日志", u"複製文件夾裡的日誌"}));

INSTANTIATE_TEST_SUITE_P(Characters, ToTraditionalTest,
                         testing::Values(Conversion{u"毁", u"毀"}, Conversion{u"摧毁", u"摧毀"},
                                         Conversion{u"签", u"簽"}, Conversion{u"钟", u"鐘"},
                                         Conversion{u"干", u"幹"}, Conversion{u"里", u"裡"},
                                         Conversion{u"复", u"復"}, Conversion{u"个", u"個"},
                                         Conversion{u"托", u"託"}, Conversion{u"余", u"餘"}));

// Characters that are simplified text themselves are read only as
// themselves: 覆 is not taken for 复 (被覆 is no 被複, 覆审 no 複審), yet
// OpenCC's phrases may write it for 复 (批复 is 批覆, 回复 回覆), and what they
// wrote stays as it is, alone or in a longer word. 瞭 is not simplified text
// (it becomes 了), so 了解 may be 瞭解. The cut is weighed, not taken from the
// left: 被 | 复制, where OpenCC takes 被复 first.
INSTANTIATE_TEST_SUITE_P(OrdinaryText, ToTraditionalTest,
                         testing::Values(Conversion{u"被覆盖", u"被覆蓋"}, Conversion{u"覆盖", u"覆蓋"},
                                         Conversion{u"被复制", u"被複製"}, Conversion{u"回复", u"回覆"},
                                         Conversion{u"批复", u"批覆"}, Conversion{u"函复", u"函覆"},
                                         Conversion{u"答复", u"答覆"}, Conversion{u"反复无常", u"反覆無常"},
                                         Conversion{u"特此函复", u"特此函覆"}, Conversion{u"覆审", u"覆審"},
                                         Conversion{u"复审", u"複審"}, Conversion{u"恢复", u"恢復"},
                                         Conversion{u"批覆", u"批覆"}, Conversion{u"反覆无常", u"反覆無常"},
                                         Conversion{u"了解", u"瞭解"}, Conversion{u"瞭望", u"瞭望"}));

// Text already converted, or half converted, finds the same phrases as the
// simplified text did, so it keeps the forms they chose.
INSTANTIATE_TEST_SUITE_P(AlreadyTraditional, ToTraditionalTest,
                         testing::Values(Conversion{u"複製粘貼個性簽名", u"複製粘貼個性簽名"},
                                         Conversion{u"若干", u"若干"}, Conversion{u"公里", u"公里"},
                                         Conversion{u"複制", u"複製"}, Conversion{u"复製", u"複製"},
                                         Conversion{u"時鐘", u"時鐘"}, Conversion{u"乾淨", u"乾淨"}));

// A phrase is matched whole: neither an emoji nor a surrogate half in the
// middle lets it through.
INSTANTIATE_TEST_SUITE_P(Broken, ToTraditionalTest,
                         testing::Values(Conversion{u"复😀制", u"復😀制"}, Conversion{u"复-制", u"復-制"},
                                         Conversion{std::u16string{u'复', kHigh, u'制'},
                                                    std::u16string{u'復', kHigh, u'制'}},
                                         Conversion{u"日", u"日"}, Conversion{u"日志日", u"日誌日"}));


// Spaces between characters, as 加空格 puts them, are read through and stay
// where they are: the spaced text converts as the unspaced one.
INSTANTIATE_TEST_SUITE_P(Spaced, ToTraditionalTest,
                         testing::Values(Conversion{u"个 性 签 名", u"個 性 簽 名"},
                                         Conversion{u"我 的 头 发", u"我 的 頭 髮"},
                                         Conversion{u"复 制 粘 贴", u"複 製 粘 貼"},
                                         Conversion{u" 复\u3000\u3000制  ", u" 複\u3000\u3000製  "},
                                         Conversion{u"标 签", u"標 籤"}));

// Phrases that convert as their characters do still hold their place, so a
// phrase starting inside them does not match where OpenCC's list would not.
INSTANTIATE_TEST_SUITE_P(Segmentation, ToTraditionalTest,
                         testing::Values(Conversion{u"体系结构", u"體系結構"}, Conversion{u"表明了", u"表明了"},
                                         Conversion{u"集合中", u"集合中"}));

}  // namespace
}  // namespace vellumino

namespace vellumino {
namespace {

// What readers write, spaced by 加空格 or not: the spaced text converts to
// the spaced form of the unspaced result.
class ToTraditionalAsWritten : public testing::TestWithParam<Conversion> {};

TEST_P(ToTraditionalAsWritten, SpacedOrNot)
{
    EXPECT_EQ(ToTraditional(GetParam().text), GetParam().expected);
    EXPECT_EQ(ToTraditional(AddSpaces(GetParam().text)), AddSpaces(GetParam().expected));
}

// Taiwan's forms, as OpenCC's s2tw writes them after its phrases, never its
// s2twp vocabulary (软件 stays 軟件); OpenCC's own standard forms in the
// input come out in Taiwan's too.
INSTANTIATE_TEST_SUITE_P(
    TaiwanForms, ToTraditionalAsWritten,
    testing::Values(Conversion{u"为了你", u"為了你"}, Conversion{u"你在我心里", u"你在我心裡"},
                    Conversion{u"看着你", u"看著你"}, Conversion{u"吃了一碗面", u"吃了一碗麵"},
                    Conversion{u"刚才", u"剛才"}, Conversion{u"启", u"啟"}, Conversion{u"群峰床", u"群峰床"},
                    Conversion{u"温户说", u"溫戶說"}, Conversion{u"软件", u"軟件"},
                    Conversion{u"爲了你心裏", u"為了你心裡"}, Conversion{u"喫麪", u"吃麵"},
                    Conversion{u"羣峯牀", u"群峰床"}, Conversion{u"剛纔", u"剛才"}));

INSTANTIATE_TEST_SUITE_P(Cuts, ToTraditionalAsWritten, testing::ValuesIn(kCuts));
// Words that convert otherwise than their characters, next to those cuts.
INSTANTIATE_TEST_SUITE_P(Words, ToTraditionalAsWritten,
                         testing::Values(Conversion{u"复制粘贴", u"複製粘貼"}, Conversion{u"怒气冲冲", u"怒氣沖沖"},
                                         Conversion{u"书签", u"書籤"}));

// Where Taiwan writes a word otherwise than OpenCC's phrase, and OpenCC's
// own converter got Taiwan's form only by its longest match cutting the
// word: 發布 wherever it stands, not 發佈 alone and 發布 after 重新.
INSTANTIATE_TEST_SUITE_P(
    TaiwanWords, ToTraditionalAsWritten,
    testing::Values(Conversion{u"发布", u"發布"}, Conversion{u"重新发布", u"重新發布"},
                    Conversion{u"发布了新版本", u"發布了新版本"}, Conversion{u"最多只需要", u"最多只需要"},
                    Conversion{u"最多只", u"最多只"}, Conversion{u"多只猫", u"多隻貓"}));

// 藉 for 借 where OpenCC's phrase writes it (relying on, a pretext), 借 where
// it is borrowing; 藉 as written stays. Text with 藉 is read as 借 only in
// phrases where the word list never has 藉 in its place.
INSTANTIATE_TEST_SUITE_P(
    RelyingOn, ToTraditionalAsWritten,
    testing::Values(Conversion{u"借以", u"藉以"}, Conversion{u"借口", u"藉口"}, Conversion{u"借此机会", u"藉此機會"},
                    Conversion{u"凭借", u"憑藉"}, Conversion{u"借着月光", u"藉著月光"}, Conversion{u"借由", u"藉由"},
                    Conversion{u"借钱", u"借錢"}, Conversion{u"借书给我", u"借書給我"}, Conversion{u"借", u"借"},
                    Conversion{u"藉口", u"藉口"}, Conversion{u"狼藉", u"狼藉"}, Conversion{u"借以为生", u"藉以為生"}));

// Names keep 里 and 托 as they are, where the character alone is 裡 and 託,
// and the words around them are cut as before.
INSTANTIATE_TEST_SUITE_P(
    Names, ToTraditionalAsWritten,
    testing::Values(Conversion{u"里瓦斯", u"里瓦斯"}, Conversion{u"托木斯克", u"托木斯克"},
                    Conversion{u"阿弗里希利语", u"阿弗里希利語"}, Conversion{u"马里兰", u"馬里蘭"},
                    Conversion{u"托运", u"託運"}, Conversion{u"委托", u"委託"}, Conversion{u"心里", u"心裡"},
                    Conversion{u"这里", u"這裡"}, Conversion{u"里面", u"裡面"}, Conversion{u"里", u"裡"},
                    Conversion{u"去里瓦斯的路上", u"去里瓦斯的路上"}, Conversion{u"托木斯克里面", u"托木斯克裡面"},
                    Conversion{u"马里兰的心里", u"馬里蘭的心裡"},
                    // A person's name to jieba keeps them where a phrase inside it does (里亚 in 里亚尔,
                    // the rial); its other people's names do not (花园里).
                    Conversion{u"伊朗里亚尔", u"伊朗里亞爾"}, Conversion{u"阿曼里亚尔", u"阿曼里亞爾"},
                    Conversion{u"花园里", u"花園裡"},
                    // Two characters are as often no name: 程序库 | 里, not 库里 (Curry).
                    Conversion{u"程序库里", u"程序庫裡"}, Conversion{u"库里", u"庫裡"},
                    // ...unless the phrases it lies in are names: 马里兰, 马里亚纳; 维克托, 赫克托,
                    // which also make 托利 a name in 托利亚 and 安那托利亚.
                    Conversion{u"马里", u"馬里"}, Conversion{u"马里语", u"馬里語"}, Conversion{u"心里", u"心裡"},
                    Conversion{u"乔克托语", u"喬克托語"}, Conversion{u"安那托利亚", u"安那托利亞"},
                    Conversion{u"委托利用", u"委託利用"}));

// 里 after a noun is the locality, 裡, even where the noun's last character
// and 里 make a phrase that keeps it (海里, the nautical mile; 乡里); those
// phrases, the other units and the names that keep 里 stay as they are.
INSTANTIATE_TEST_SUITE_P(
    Places, ToTraditionalAsWritten,
    testing::Values(Conversion{u"花海里", u"花海裡"}, Conversion{u"在花海里游泳", u"在花海裡游泳"},
                    Conversion{u"人海里", u"人海裡"}, Conversion{u"大海里", u"大海裡"},
                    Conversion{u"书海里", u"書海裡"}, Conversion{u"家乡里", u"家鄉裡"}, Conversion{u"海里", u"海里"},
                    Conversion{u"十二海里", u"十二海里"}, Conversion{u"三公里", u"三公里"},
                    Conversion{u"邻里", u"鄰里"}, Conversion{u"乡里", u"鄉里"}, Conversion{u"西西里", u"西西里"}));

// A verb keeps its form before its object with a measure word between (沖
// with water, 衝 for rushing), but not where the object begins a word, nor
// where the phrase is a thing (回路, the circuit).
INSTANTIATE_TEST_SUITE_P(
    MeasureWords, ToTraditionalAsWritten,
    testing::Values(Conversion{u"冲个澡", u"沖個澡"}, Conversion{u"我们冲个澡吧", u"我們沖個澡吧"},
                    Conversion{u"冲杯茶", u"沖杯茶"}, Conversion{u"冲了个澡", u"沖了個澡"},
                    Conversion{u"给我冲一杯茶", u"給我沖一杯茶"},
                    Conversion{u"喂一口饭", u"餵一口飯"}, Conversion{u"冲动", u"衝動"}, Conversion{u"冲个浪", u"衝個浪"},
                    Conversion{u"回一段路", u"回一段路"}, Conversion{u"回个路过的人", u"回個路過的人"},
                    Conversion{u"发个网盘链接", u"發個網盤鏈接"}));

// A word is neither cut by the phrases inside it alone (系结 in 体系结构,
// 发式 in 启发式) nor given the exceptions of the phrases around it (下面
// is no 下麵 for 下面条's sake, 发布 no 發佈 for 发布会's).
INSTANTIATE_TEST_SUITE_P(
    WordsKeepTheirCut, ToTraditionalAsWritten,
    testing::Values(Conversion{u"体系结构", u"體系結構"}, Conversion{u"启发式", u"啟發式"},
                    Conversion{u"下面", u"下面"}, Conversion{u"下面条", u"下麵條"},
                    Conversion{u"提交下面的文件", u"提交下面的文件"}, Conversion{u"发布会", u"發佈會"}));

}  // namespace
}  // namespace vellumino
