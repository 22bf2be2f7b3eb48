// The compiled simplified/traditional tables behind both conversions, in
// both directions, checked against glibc's GBK and against the commands.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <span>
#include <string>

#include "chinese_tables.h"
#include "gbk.h"
#include "styling.h"

namespace vellumino {
namespace {

using chinese::CharacterPair;
using testing_gbk::AllDoubleByteGbk;
using testing_gbk::ToGbk;

struct Direction {
    const char* name;
    std::span<const CharacterPair> (*table)();
    std::span<const chinese::Phrase> (*phrases)();
    char16_t (*group)(char16_t);
    SignatureText (*command)(SignatureView);
    // Far fewer entries means the generator lost a dictionary.
    std::size_t atLeast, phrasesAtLeast;
};

void PrintTo(const Direction& direction, std::ostream* out)
{
    *out << direction.name;
}

bool IsSource(std::span<const CharacterPair> table, char16_t unit)
{
    return std::binary_search(
        table.begin(), table.end(), CharacterPair{unit, 0},
        [](const CharacterPair& a, const CharacterPair& b) { return a.source < b.source; });
}

bool IsTarget(std::span<const CharacterPair> table, char16_t unit)
{
    return std::any_of(table.begin(), table.end(), [unit](const CharacterPair& pair) { return pair.target == unit; });
}

class ConversionTable : public testing::TestWithParam<Direction> {};

TEST_P(ConversionTable, IsSortedGbkAndFinal)
{
    const auto table = GetParam().table();
    ASSERT_GT(table.size(), GetParam().atLeast);
    for (std::size_t i = 0; i < table.size(); ++i) {
        const auto [source, target] = table[i];
        SCOPED_TRACE(testing::Message() << "entry " << i << ": U+" << std::hex << int{source});
        if (i > 0) {
            EXPECT_LT(table[i - 1].source, source);
        }
        EXPECT_EQ(ToGbk(source).size(), 2u);
        EXPECT_EQ(ToGbk(target).size(), 2u);
        EXPECT_NE(source, target);
        EXPECT_FALSE(IsSource(table, target));
        EXPECT_EQ(GetParam().command(SignatureText{source}), SignatureText{target});
    }
}

TEST_P(ConversionTable, EveryGbkCharacterStaysOneGbkCharacter)
{
    const SignatureText all = AllDoubleByteGbk();
    ASSERT_GT(all.size(), 21000u);
    for (const char16_t unit : all) {
        const auto result = GetParam().command(SignatureText{unit});
        SCOPED_TRACE(testing::Message() << "U+" << std::hex << int{unit});
        ASSERT_EQ(result.size(), 1u);
        EXPECT_EQ(ToGbk(result[0]).size(), 2u);
        EXPECT_EQ(GetParam().command(result), result);
    }
    const auto converted = GetParam().command(all);
    EXPECT_EQ(converted.size(), all.size());
    EXPECT_EQ(GetParam().command(converted), converted);
}

// Every code unit, surrogate halves and unassigned ones included, each after
// a hyphen so that no two make a phrase: only the table's sources may change.
TEST_P(ConversionTable, OnlySourcesChange)
{
    SignatureText every(2 * 0x10000, u'-');
    for (std::size_t unit = 0; unit < 0x10000; ++unit) {
        every[2 * unit + 1] = static_cast<char16_t>(unit);
    }
    const auto result = GetParam().command(every);
    ASSERT_EQ(result.size(), every.size());
    std::size_t changed = 0;
    for (std::size_t i = 0; i < every.size(); ++i) {
        if (result[i] != every[i]) {
            ++changed;
            EXPECT_TRUE(IsSource(GetParam().table(), every[i])) << "U+" << std::hex << int{every[i]};
        }
    }
    EXPECT_EQ(changed, GetParam().table().size());
}

// The phrases: each both ways GBK, equally long, converted as listed on its
// own and left alone once converted; every character stays in its group, or
// becomes one that is no source, no target and in no group of the table's
// (覆 for 复), whose own output is then found as a phrase of its own, cut as
// the phrase was. Those kept only for their place convert as the table does.
TEST_P(ConversionTable, PhrasesConvertAsListedAndStay)
{
    ASSERT_TRUE(chinese::PhrasesAreWellFormed());
    const auto phrases = GetParam().phrases();
    const auto table = GetParam().table();
    ASSERT_GT(phrases.size(), GetParam().phrasesAtLeast);
    std::size_t leaving = 0;
    for (const auto& [source, target] : phrases) {
        SCOPED_TRACE(testing::PrintToString(SignatureText(source)));
        if (target.empty()) {
            SignatureText characters;
            for (const char16_t unit : source)
                characters += GetParam().command(SignatureText{unit});
            EXPECT_EQ(GetParam().command(SignatureText(source)), characters);
            continue;
        }
        ASSERT_EQ(source.size(), target.size());
        ASSERT_GE(source.size(), 2u);
        for (std::size_t i = 0; i < source.size(); ++i) {
            EXPECT_EQ(ToGbk(source[i]).size(), 2u);
            EXPECT_EQ(ToGbk(target[i]).size(), 2u);
            if (GetParam().group(source[i]) != GetParam().group(target[i])) {
                EXPECT_FALSE(IsSource(table, target[i]));
                EXPECT_FALSE(IsTarget(table, target[i]));
                EXPECT_EQ(GetParam().group(target[i]), target[i]);
                ++leaving;
            }
        }
        EXPECT_EQ(GetParam().command(SignatureText(source)), SignatureText(target));
        EXPECT_EQ(GetParam().command(SignatureText(target)), SignatureText(target));
    }
    // Only a handful of forms may leave their group: many more would mean the
    // groups lost their pairs.
    EXPECT_LT(leaving, phrases.size() / 20);
}

// The character table alone would convert each phrase otherwise, or it
// would not be worth its room.
TEST_P(ConversionTable, PhrasesDifferFromTheCharacterTable)
{
    const auto table = GetParam().table();
    const auto byCharacter = [&table](char16_t unit) {
        const auto found = std::lower_bound(
            table.begin(), table.end(), CharacterPair{unit, 0},
            [](const CharacterPair& a, const CharacterPair& b) { return a.source < b.source; });
        return found != table.end() && found->source == unit ? found->target : unit;
    };
    for (const auto& [source, target] : GetParam().phrases()) {
        if (target.empty())
            continue;
        SignatureText characters;
        for (const char16_t unit : source)
            characters += byCharacter(unit);
        EXPECT_NE(characters, SignatureText(target)) << testing::PrintToString(SignatureText(source));
    }
}

// Phrases back to back, overlapping by a character, and cut by a character
// of their own: a second run changes nothing whatever the neighbours.
TEST_P(ConversionTable, SecondRunChangesNothingAcrossPhrases)
{
    const auto phrases = GetParam().phrases();
    for (std::size_t i = 0; i + 1 < phrases.size(); ++i) {
        const SignatureText a(phrases[i].source), b(phrases[(i * 7919 + 1) % phrases.size()].source);
        const SignatureText aOnce = GetParam().command(a),
                            nextOnce = GetParam().command(SignatureText(phrases[i + 1].source));
        for (const SignatureText& text :
             {a + b, a + b.substr(1), a.substr(0, a.size() - 1) + b, aOnce + b, a + nextOnce, a + u" " + b}) {
            const auto once = GetParam().command(text);
            ASSERT_EQ(once.size(), text.size());
            ASSERT_EQ(GetParam().command(once), once) << testing::PrintToString(text);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Both, ConversionTable,
    testing::Values(Direction{"ToTraditional", chinese::TraditionalTable, chinese::TraditionalPhrases,
                              chinese::TraditionalGroup, ToTraditional, 2500, 45000},
                    Direction{"ToSimplified", chinese::SimplifiedTable, chinese::SimplifiedPhrases,
                              chinese::SimplifiedGroup, ToSimplified, 2700, 230}),
    [](const auto& instance) { return std::string(instance.param.name); });

}  // namespace
}  // namespace vellumino
