#include <gtest/gtest.h>
#include <iconv.h>

#include <cstring>
#include <map>
#include <vector>

#include "codepage_mapping.h"

namespace vellumino::platform {
namespace {

// glibc's CP936 is GBK with the euro as the single byte 0x80, as on Windows.
std::optional<std::string> Convert(const char* to, const char* from, std::string in)
{
    const iconv_t converter = iconv_open(to, from);
    char out[16];
    char *inPtr = in.data(), *outPtr = out;
    std::size_t inLeft = in.size(), outLeft = sizeof out;
    const bool ok = iconv(converter, &inPtr, &inLeft, &outPtr, &outLeft) != static_cast<std::size_t>(-1);
    iconv_close(converter);
    return ok ? std::optional(std::string(out, sizeof out - outLeft)) : std::nullopt;
}

std::optional<std::string> ToCp936(char16_t unit)
{
    return Convert("CP936", "UTF-16LE", {static_cast<char>(unit & 0xFF), static_cast<char>(unit >> 8)});
}

// What the stand-in writes for `from` and what it reports (the count written
// if negative). Without a rule it hands the source back, as the real service
// does for a character it does not convert.
struct Rule {
    char16_t from;
    std::string written;
    int reported = -1;
    std::uint32_t flags = kMapToTraditionalChinese;
};

class StandIn final : public CodePage936Service {
public:
    // `aliases`: bytes that Decode reads as a character which encodes otherwise.
    StandIn(std::vector<Rule> rules, std::map<std::string, char16_t> aliases = {})
        : rules_(std::move(rules)), aliases_(std::move(aliases))
    {
    }

    std::optional<std::string> Encode(char16_t unit) override { return ToCp936(unit); }
    std::optional<char16_t> Decode(std::string_view bytes) override
    {
        if (const auto alias = aliases_.find(std::string(bytes)); alias != aliases_.end()) {
            return alias->second;
        }
        const auto wide = Convert("UTF-16LE", "CP936", std::string(bytes));
        if (!wide || wide->size() != 2) {
            return std::nullopt;
        }
        return static_cast<char16_t>(static_cast<unsigned char>((*wide)[0]) |
                                     static_cast<unsigned char>((*wide)[1]) << 8);
    }
    int ByteLength(const char* bytes) override { return static_cast<int>(std::strlen(bytes)); }
    int Map(std::uint32_t flags, const char* source, char* destination, int length) override
    {
        const auto from = Decode({source, static_cast<std::size_t>(length)});
        for (const Rule& rule : rules_) {
            if (from == rule.from && flags == rule.flags) {
                if (rule.written.size() > static_cast<std::size_t>(length)) {
                    return 0;  // no room, as LCMapStringA fails
                }
                rule.written.copy(destination, rule.written.size());
                return rule.reported >= 0 ? rule.reported : static_cast<int>(rule.written.size());
            }
        }
        std::memcpy(destination, source, static_cast<std::size_t>(length));
        return length;
    }

private:
    std::vector<Rule> rules_;
    std::map<std::string, char16_t> aliases_;
};

std::string Cp936(char16_t unit)
{
    return ToCp936(unit).value();
}

const std::uint32_t kSimplified = kMapToSimplifiedChinese;
const char16_t kHigh = 0xD83D, kLow = 0xDE00;  // the halves of U+1F600
const std::vector<Rule> kSignature = {{u'个', Cp936(u'個')}, {u'签', Cp936(u'簽')}};
const std::vector<Rule> kBothWays = {{u'个', Cp936(u'個')}, {u'個', Cp936(u'个'), -1, kSimplified}};

struct Case {
    const char* name;
    std::vector<Rule> rules;
    std::u16string text, expected;
    std::uint32_t flags = kMapToTraditionalChinese;
};

void PrintTo(const Case& c, std::ostream* out)
{
    *out << testing::PrintToString(c.text);
}

class MapThroughCodePage936Test : public testing::TestWithParam<Case> {};

TEST_P(MapThroughCodePage936Test, MapsOnceAndNoFurther)
{
    StandIn service(GetParam().rules);
    const std::u16string once = MapThroughCodePage936(GetParam().text, service, GetParam().flags);
    EXPECT_EQ(once, GetParam().expected);
    EXPECT_EQ(MapThroughCodePage936(once, service, GetParam().flags), once);
}

INSTANTIATE_TEST_SUITE_P(
    All, MapThroughCodePage936Test,
    testing::Values(Case{"Signature", kSignature, u"个性签名", u"個性簽名"},
                    Case{"AmongAsciiAndSymbols", kSignature, u"QQ签名: ↗℡个╰☆", u"QQ簽名: ↗℡個╰☆"},
                    Case{"NothingToConvert", {}, u"个性签名", u"个性签名"},
                    Case{"ToTraditional", kBothWays, u"个個", u"個個"},
                    Case{"ToSimplified", kBothWays, u"个個", u"个个", kSimplified},
                    // Outside the code page: left alone, and no hindrance to neighbours.
                    Case{"SurrogatePair", kSignature, u"\U0001F600签\U0001F600", u"\U0001F600簽\U0001F600"},
                    Case{
                        "LoneSurrogates", kSignature, {kHigh, u'签', kLow, kLow}, {kHigh, u'簽', kLow, kLow}},
                    Case{"HangulAndUmlaut", kSignature, u"가签ä", u"가簽ä"},
                    Case{"AsciiNeverAsked", {{u'a', "b"}}, u"abc", u"abc"},
                    // A result the service would map again is not taken.
                    Case{"Chain", {{u'个', Cp936(u'個')}, {u'個', Cp936(u'箇')}}, u"个個箇", u"个箇箇"},
                    Case{"Cycle", {{u'个', Cp936(u'個')}, {u'個', Cp936(u'个')}}, u"个個", u"个個"}),
    [](const testing::TestParamInfo<Case>& param) { return std::string(param.param.name); });

// Answers that are not exactly one character in as many bytes are ignored.
struct Refusal {
    const char* name;
    Rule rule;
    std::map<std::string, char16_t> aliases = {};
};

void PrintTo(const Refusal& refusal, std::ostream* out)
{
    *out << refusal.name;
}

class RefusedAnswerTest : public testing::TestWithParam<Refusal> {};

TEST_P(RefusedAnswerTest, LeavesTheCharacter)
{
    StandIn service({GetParam().rule, {u'签', Cp936(u'簽')}}, GetParam().aliases);
    EXPECT_EQ(MapThroughCodePage936(u"个€签", service, kMapToTraditionalChinese), u"个€簽");
}

INSTANTIATE_TEST_SUITE_P(
    All, RefusedAnswerTest,
    testing::Values(Refusal{"Narrows", {u'个', "A"}}, Refusal{"NarrowsReportingFullLength", {u'个', "A", 2}},
                    Refusal{"Widens", {u'€', Cp936(u'個')}}, Refusal{"TwoCharacters", {u'个', "ab"}},
                    Refusal{"WritesNothing", {u'个', "", 2}},
                    Refusal{"WritesButFails", {u'个', Cp936(u'個'), 0}},
                    Refusal{"InvalidBytes", {u'个', "\x81\x20"}},
                    Refusal{"ReadsBackAsAnother", {u'个', Cp936(u'箇')}, {{Cp936(u'箇'), u'個'}}}),
    [](const testing::TestParamInfo<Refusal>& param) { return std::string(param.param.name); });

}  // namespace
}  // namespace vellumino::platform
