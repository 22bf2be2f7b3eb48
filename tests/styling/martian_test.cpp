#include <gtest/gtest.h>
#include <iconv.h>

#include <bit>
#include <cstddef>
#include <map>
#include <set>
#include <string>

#include "martian_map.h"
#include "styling.h"

namespace vellumino {
namespace {

bool IsHanIdeograph(char16_t unit)
{
    return (unit >= 0x3400 && unit <= 0x4DBF) || (unit >= 0x4E00 && unit <= 0x9FFF) ||
           (unit >= 0xF900 && unit <= 0xFAFF);
}

bool IsSurrogate(char16_t unit)
{
    return unit >= 0xD800 && unit <= 0xDFFF;
}

// Code page 936 as glibc knows it: a text is representable when iconv converts
// all of it without complaint.
class CodePage936 {
public:
    CodePage936()
        : converter_(
              iconv_open("CP936", std::endian::native == std::endian::little ? "UTF-16LE" : "UTF-16BE"))
    {
    }
    ~CodePage936()
    {
        if (IsOpen())
            iconv_close(converter_);
    }
    CodePage936(const CodePage936&) = delete;
    CodePage936& operator=(const CodePage936&) = delete;

    bool IsOpen() const { return converter_ != reinterpret_cast<iconv_t>(-1); }

    bool Represents(SignatureView text)
    {
        iconv(converter_, nullptr, nullptr, nullptr, nullptr);
        SignatureText input(text);
        std::string output(text.size() * 4, '\0');
        char* in = reinterpret_cast<char*>(input.data());
        std::size_t inLeft = input.size() * sizeof(char16_t);
        char* out = output.data();
        std::size_t outLeft = output.size();
        return iconv(converter_, &in, &inLeft, &out, &outLeft) != static_cast<std::size_t>(-1) && inLeft == 0;
    }

private:
    iconv_t converter_;
};

TEST(MartianMapTest, KeysAreUniqueAndNoValueIsAKey)
{
    ASSERT_EQ(MartianMap.size(), 714u);
    std::set<char16_t> keys;
    for (const auto& entry : MartianMap)
        EXPECT_TRUE(keys.insert(entry.key).second) << "repeated key U+" << std::hex << int{entry.key};
    for (const auto& entry : MartianMap)
        EXPECT_FALSE(keys.contains(entry.value)) << "value U+" << std::hex << int{entry.value} << " is a key";
}

TEST(MartianMapTest, TwentySevenValuesAreSharedByTwoOrThreeKeys)
{
    std::map<char16_t, int> keysPerValue;
    for (const auto& entry : MartianMap)
        ++keysPerValue[entry.value];
    std::map<int, int> valuesBySharing;
    for (const auto& [value, count] : keysPerValue) {
        if (count > 1)
            ++valuesBySharing[count];
    }
    EXPECT_EQ(valuesBySharing, (std::map<int, int>{{2, 24}, {3, 3}}));
    EXPECT_EQ(keysPerValue[u'哋'], 2);  // 的, 地
    EXPECT_EQ(keysPerValue[u'汸'], 3);  // 方, 防, 访
}

TEST(MartianMapTest, KeysAreChineseAndOnlyEightValuesAreNot)
{
    std::map<char16_t, char16_t> nonChinese;
    for (const auto& entry : MartianMap) {
        EXPECT_TRUE(IsHanIdeograph(entry.key)) << "key U+" << std::hex << int{entry.key};
        if (!IsHanIdeograph(entry.value))
            nonChinese.emplace(entry.key, entry.value);
    }
    const std::map<char16_t, char16_t> expected{{u'一', u'①'},  {u'二', u'②'},  {u'四', u'④'},
                                                {u'七', u'⑦'},  {u'日', u'ㄖ'}, {u'之', u'と'},
                                                {u'子', u'ふ'}, {u'儿', u'ル'}};
    EXPECT_EQ(nonChinese, expected);
}

TEST(MartianMapTest, EveryCharacterIsInTheBmpAndCodePage936)
{
    CodePage936 codePage;
    ASSERT_TRUE(codePage.IsOpen());
    // The check itself must be able to fail: an emoji and a Thai letter lie outside the code page.
    ASSERT_TRUE(codePage.Represents(u"签名a"));
    ASSERT_FALSE(codePage.Represents(u"😀"));
    ASSERT_FALSE(codePage.Represents(u"ก"));

    for (const auto& entry : MartianMap) {
        for (const char16_t unit : {entry.key, entry.value}) {
            EXPECT_FALSE(IsSurrogate(unit)) << "U+" << std::hex << int{unit};
            EXPECT_TRUE(codePage.Represents(SignatureView(&unit, 1))) << "U+" << std::hex << int{unit};
        }
    }
}

TEST(ToMartianTest, SwapsEveryKeyForItsValue)
{
    SignatureText keys;
    SignatureText values;
    for (const auto& entry : MartianMap) {
        EXPECT_EQ(ToMartian(SignatureText(1, entry.key)), SignatureText(1, entry.value))
            << "key U+" << std::hex << int{entry.key};
        keys.push_back(entry.key);
        values.push_back(entry.value);
    }
    EXPECT_EQ(ToMartian(keys), values);
}

TEST(ToMartianTest, LeavesEveryOtherCodeUnitAlone)
{
    std::map<char16_t, char16_t> lookalikes;
    for (const auto& entry : MartianMap)
        lookalikes.emplace(entry.key, entry.value);

    // All 65,536 code units in one text, lone surrogates included.
    SignatureText every;
    SignatureText expected;
    for (std::size_t code = 0; code <= 0xFFFF; ++code) {
        const auto unit = static_cast<char16_t>(code);
        every.push_back(unit);
        const auto found = lookalikes.find(unit);
        expected.push_back(found == lookalikes.end() ? unit : found->second);
    }
    EXPECT_EQ(ToMartian(every), expected);
}

TEST(ToMartianTest, KeepsLengthAndChangesNothingOnASecondRun)
{
    SignatureText text = u"abc 签名 😀";
    for (const auto& entry : MartianMap)
        text.append({entry.key, entry.value});
    const auto once = ToMartian(text);
    EXPECT_EQ(once.size(), text.size());
    EXPECT_EQ(ToMartian(once), once);
}

TEST(ToMartianTest, ConvertsAndPassesThrough)
{
    const SignatureText loneHigh(1, char16_t{0xD83D});
    const SignatureText loneLow(1, char16_t{0xDE00});
    const struct {
        SignatureText input;
        SignatureText expected;
    } cases[] = {
        {u"我的签名", u"莪哋签洺"},
        {u"你好", u"沵恏"},
        {u"今天天气很好", u"妗兲兲氣佷恏"},
        {u"一二三四", u"①②彡④"},
        {u"", u""},
        {u"Hello World 0123456789", u"Hello World 0123456789"},
        {u" \t,.!?;:'\"()。，、！？「」", u" \t,.!?;:'\"()。，、！？「」"},
        {u"↗℡╰☆", u"↗℡╰☆"},
        {u"😀👍🏻", u"😀👍🏻"},
        {u"我" + loneHigh + u"好" + loneLow, u"莪" + loneHigh + u"恏" + loneLow},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ToMartian(c.input), c.expected);
}

}  // namespace
}  // namespace vellumino
