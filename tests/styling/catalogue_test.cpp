#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "catalogue.h"
#include "gbk.h"
#include "martian_map.h"
#include "styling.h"
#include "unicode_data.h"

namespace vellumino {
namespace {

const Style& Named(std::u16string_view label)
{
    for (const Style& style : StyleCatalogue()) {
        if (style.label == label)
            return style;
    }
    ADD_FAILURE() << "no style " << testing::PrintToString(SignatureText(label));
    return StyleCatalogue().front();
}

struct Case {
    std::u16string_view style;
    SignatureText input;
    SignatureText expected;
};

void ExpectAll(std::initializer_list<Case> cases)
{
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::PrintToString(SignatureText(c.style)) + " on " +
                     testing::PrintToString(c.input));
        EXPECT_EQ(ApplyStyle(Named(c.style), c.input), c.expected);
    }
}

TEST(CatalogueTest, SeparatorsPartWholeCharactersAndKeepSpaces)
{
    ExpectAll({
        {u"间隔号 ·", u"", u""},
        {u"间隔号 ·", u"签", u"签"},
        {u"间隔号 ·", u"我的签名", u"我·的·签·名"},
        {u"爱心 ♥", u"I love U", u"I l♥o♥v♥e U"},
        {u"星星 ☆", u" 签名 ", u" 签☆名 "},
        {u"一点 丶", u"👍🏽好👍🏿", u"👍🏽丶好丶👍🏿"},
        {u"浊点 ゛", u"🇨🇳🇯🇵", u"🇨🇳゛🇯🇵"},
        {u"波浪 ～", u"1️⃣2️⃣", u"1️⃣～2️⃣"},
        {u"音符 ♪", u"cafe\u0301", u"c♪a♪f♪e\u0301"},
        {u"小花 ✿", u"👨‍👩‍👧爱", u"👨‍👩‍👧✿爱"},
        // A pictograph after an emoji's trailing joiner would join it; a dot would not.
        {u"红心 ❤", u"😀\u200D好", u"😀\u200D好"},
        {u"间隔号 ·", u"😀\u200D好", u"😀\u200D·好"},
        // Nor does a mark go before an accent that starts a cluster after a tab.
        {u"间隔号 ·", u"a\t\u0301b", u"a·\t\u0301·b"},
        // Another separator gives way; a text this one parted stays.
        {u"爱心 ♥", u"我·的·签·名", u"我♥的♥签♥名"},
        {u"间隔号 ·", u"我·的", u"我·的"},
        // Typed on after parting: the rest is parted, the marks there stay single.
        {u"间隔号 ·", u"我·的签名", u"我·的·签·名"},
        {u"间隔号 ·", u"·签名·", u"·签·名·"},
    });
}

TEST(CatalogueTest, FramesWrapTheTextOnceAndFoldAHalfAlreadyThere)
{
    ExpectAll({
        {u"双直角引号 『…』", u"", u"『』"},
        {u"双直角引号 『…』", u"签名", u"『签名』"},
        {u"双直角引号 『…』", u" 签名 ", u"『 签名 』"},
        {u"双直角引号 『…』", u"『签名", u"『签名』"},
        {u"双直角引号 『…』", u"签名』", u"『签名』"},
        {u"双直角引号 『…』", u"『签名』", u"『签名』"},
        {u"方头括号 【…】", u"👍🏽", u"【👍🏽】"},
        {u"方头括号 【…】", u"『签名』", u"【『签名』】"},
        {u"流星 ★彡…彡★", u"签名", u"★彡签名彡★"},
        {u"流星 ★彡…彡★", u"★彡★", u"★彡★彡★"},
        {u"花朵 ❀…❀", u"❀", u"❀❀"},
        {u"花朵 ❀…❀", u"❀❀", u"❀❀"},
    });
}

TEST(CatalogueTest, LetterStylesTakeLoneLettersAndDigitsOnly)
{
    ExpectAll({
        {u"全角 ＡＢＣ", u"QQ 520", u"ＱＱ ５２０"},
        {u"全角 ＡＢＣ", u"我爱ABC", u"我爱ＡＢＣ"},
        {u"圆圈 ⒶⒷⒸ", u"Love 520", u"Ⓛⓞⓥⓔ ➄➁⓪"},
        {u"小型大写 ᴀʙᴄ", u"Hello x q", u"Hᴇʟʟᴏ x ꞯ"},
        {u"粗体 𝐀𝐁𝐂", u"Ab9", u"𝐀𝐛𝟗"},
        {u"花体 𝓐𝓑𝓒", u"Love 1", u"𝓛𝓸𝓿𝓮 1"},
        {u"双线 𝔸𝔹ℂ", u"CHNPQRZ qz 0", u"ℂℍℕℙℚℝℤ 𝕢𝕫 𝟘"},
        {u"等宽 𝙰𝙱𝙲", u"a1", u"𝚊𝟷"},
        {u"删除线 A̶B̶C̶", u"ab 签", u"a\u0336b\u0336 签"},
        {u"下划线 A̲B̲C̲", u"Hi", u"H\u0332i\u0332"},
        // A keycap, an accented letter, an emoji and a flag stay whole.
        {u"全角 ＡＢＣ", u"1️⃣e\u0301👍🏽🇨🇳", u"1️⃣e\u0301👍🏽🇨🇳"},
        {u"删除线 A̶B̶C̶", u"1️⃣e\u0301", u"1️⃣e\u0301"},
        // One letter style replaces another.
        {u"粗体 𝐀𝐁𝐂", u"ＱＱ", u"𝐐𝐐"},
        {u"删除线 A̶B̶C̶", u"𝐐ⓠ", u"Q\u0336q\u0336"},
        {u"全角 ＡＢＣ", u"a\u0336b\u0332", u"ａｂ"},
    });
}

TEST(CatalogueTest, RemovingStylesTakesOffEveryLayer)
{
    const struct {
        SignatureText styled;
        SignatureText plain;
    } cases[] = {
        {u"我♥的♥签♥名", u"我的签名"},
        {u"『·我·的·』", u"我的"},  // parted after framing
        {u"『我·的』", u"我的"},    // framed after parting
        {u"★彡𝐋𝐨𝐯𝐞彡★", u"Love"},
        {u"【↗℡签名╰☆】", u"签名"},
        {u"↗℡签☆名╰☆", u"签名"},
        {u"a\u0336 ➀", u"a 1"},
        {u"我的签名 Love", u"我的签名 Love"},
        // A mark the text held itself goes too: it reads as a separator.
        {u"I♥U", u"IU"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(RemoveStyles(c.styled), c.plain) << testing::PrintToString(c.styled);
}

// Whether no style could have written any of the text's code points, and
// no frame of 加符号's holds it.
bool Plain(SignatureView text)
{
    std::u32string written;
    for (const Style& style : StyleCatalogue())
        written += StyleCodePoints(style);
    for (std::size_t pos = 0; pos < text.size();) {
        const CodePoint c = CodePointAt(text, pos);
        if (written.find(c.value) != std::u32string::npos)
            return false;
        pos += c.length;
    }
    return RemoveStyles(text) == text;
}

const std::vector<SignatureText>& PlainTexts()
{
    static const std::vector<SignatureText> texts = [] {
        std::vector<SignatureText> all{
            u"",
            u"签",
            u"我的个性签名",
            u" 前后空格 ",
            u"Keep going 2024",
            u"👍🏽👍🏿",
            u"🇨🇳🇯🇵🇺",
            u"1️⃣#️⃣",
            u"cafe\u0301 n\u0303",
            u"👨‍👩‍👧 家",
            u"😀\u200D好",
            u"a\t\u0301b",
            u"\r\n换行",
            SignatureText(40, u'签'),
            SignatureText(u"\xD800签\xDC00"),
        };
        SignatureText letters;
        while (letters.size() < 40)
            letters += u"aZ9";
        all.push_back(letters);
        return all;
    }();
    return texts;
}

// The texts the fuzzers start from, read as they read them.
std::vector<SignatureText> CorpusTexts()
{
    std::vector<SignatureText> texts;
    for (const auto& directory : std::filesystem::directory_iterator(VELLUMINO_FUZZ_CORPUS_DIR)) {
        for (const auto& file : std::filesystem::directory_iterator(directory)) {
            std::ifstream stream(file.path(), std::ios::binary);
            const std::string bytes{std::istreambuf_iterator<char>(stream), {}};
            SignatureText& text = texts.emplace_back();
            for (std::size_t i = 0; i + 1 < bytes.size(); i += 2)
                text.push_back(static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) |
                                                     static_cast<unsigned char>(bytes[i + 1]) << 8));
        }
    }
    return texts;
}

// The listed texts, all plain, and the fuzz corpora as a property loop.
TEST(CatalogueTest, EveryStyleIsSettledByOneClickAndComesOffAgain)
{
    std::vector<SignatureText> texts = CorpusTexts();
    EXPECT_GT(texts.size(), 50u);
    texts.insert(texts.begin(), PlainTexts().begin(), PlainTexts().end());
    std::size_t plain = 0;
    for (std::size_t i = 0; i < texts.size(); ++i) {
        const SignatureText& text = texts[i];
        const bool isPlain = Plain(text);
        EXPECT_TRUE(isPlain || i >= PlainTexts().size()) << testing::PrintToString(text);
        plain += isPlain;
        for (const Style& style : StyleCatalogue()) {
            SCOPED_TRACE(testing::PrintToString(SignatureText(style.label)) + " on " +
                         testing::PrintToString(text));
            const SignatureText once = ApplyStyle(style, text);
            EXPECT_EQ(ApplyStyle(style, once), once);
            if (!isPlain)
                continue;
            EXPECT_EQ(RemoveStyles(once), text);
            // Two styles of any families come off together, in either order.
            for (const Style& second : StyleCatalogue())
                EXPECT_EQ(RemoveStyles(ApplyStyle(second, once)), text)
                    << testing::PrintToString(second.label);
        }
    }
    EXPECT_GT(plain, texts.size() / 2);
    // Results are never cut, not even past the input's limit.
    EXPECT_EQ(ApplyStyle(Named(u"间隔号 ·"), SignatureText(40, u'签')).size(), 79u);
    EXPECT_EQ(ApplyStyle(Named(u"粗体 𝐀𝐁𝐂"), PlainTexts().back()).size(), 84u);
}

// The forms are typed in by hand: each must be the letter or digit it
// stands for, as Unicode names it, and mean one letter in every style.
TEST(CatalogueTest, EachLetterFormIsNamedForItsLetter)
{
    std::map<char32_t, std::string> names;
    for (const std::string& line : testing_unicode::Lines("UnicodeData.txt")) {
        const auto semicolon = line.find(';');
        names[static_cast<char32_t>(std::stoul(line.substr(0, semicolon), nullptr, 16))] =
            line.substr(semicolon + 1, line.find(';', semicolon + 1) - semicolon - 1);
    }
    static const char* const kDigits[] = {"ZERO", "ONE", "TWO",   "THREE", "FOUR",
                                          "FIVE", "SIX", "SEVEN", "EIGHT", "NINE"};
    const std::u32string plain = U"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    std::map<char32_t, char32_t> meaning;
    std::set<std::u16string_view> labels;
    for (const Style& style : StyleCatalogue()) {
        EXPECT_TRUE(labels.insert(style.label).second) << "two entries read the same";
        if (style.family != StyleFamily::Letters || style.mark)
            continue;
        ASSERT_EQ(style.forms.size(), 62u) << testing::PrintToString(SignatureText(style.label));
        for (std::size_t i = 0; i < 62; ++i) {
            const char32_t form = style.forms[i];
            if (form == plain[i])
                continue;
            const std::string& name = names[form];
            SCOPED_TRACE(name);
            const std::string last = name.substr(name.rfind(' ') + 1);
            if (i < 52) {
                EXPECT_EQ(last, std::string(1, static_cast<char>(U'A' + i % 26)));
                EXPECT_EQ(name.find("SMALL") != std::string::npos, i >= 26);
            } else {
                EXPECT_EQ(last, kDigits[i - 52]);
                EXPECT_NE(name.find("DIGIT"), std::string::npos);
            }
            const auto [at, fresh] = meaning.emplace(form, plain[i]);
            EXPECT_EQ(at->second, plain[i]) << "a form two styles read differently";
        }
    }
}

TEST(CatalogueTest, TheChineseFontsAreClaimedExactlyForCodePage936)
{
    for (const Style& style : StyleCatalogue()) {
        bool all = true;
        for (const char32_t c : StyleCodePoints(style))
            all = all && c < 0x10000 && !testing_gbk::ToGbk(static_cast<char16_t>(c)).empty();
        EXPECT_EQ(style.windowsFonts & (kMicrosoftYaHei | kSimSun), all ? kMicrosoftYaHei | kSimSun : 0)
            << testing::PrintToString(SignatureText(style.label));
    }
}

// 火星文转简体 and 去除样式 share a menu: neither may undo the other's work.
TEST(CatalogueTest, MartianLookalikesAndStylesLeaveEachOtherAlone)
{
    SignatureText keys;
    for (const MartianEntry& entry : MartianMap)
        keys.push_back(entry.key);
    const SignatureText martian = ToMartian(keys);
    EXPECT_EQ(RemoveStyles(martian), martian);

    const SignatureText sample = u"ABCDEFGHIJKLMNOPQRSTUVWXYZ abcdefghijklmnopqrstuvwxyz 0123456789";
    for (const Style& style : StyleCatalogue()) {
        const SignatureText styled = ApplyStyle(style, sample);
        // 彡 is the Martian form of 三 as well as half of a frame.
        if (style.label == u"流星 ★彡…彡★")
            EXPECT_EQ(FromMartian(styled), u"★三" + sample + u"三★");
        else
            EXPECT_EQ(FromMartian(styled), styled) << testing::PrintToString(SignatureText(style.label));
    }
}

}  // namespace
}  // namespace vellumino
