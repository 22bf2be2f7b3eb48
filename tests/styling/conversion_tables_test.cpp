// The compiled simplified/traditional tables that non-Windows builds use, in
// both directions, checked against glibc's GBK and against the commands.
#if !defined(_WIN32)

#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <span>
#include <string>

#include "gbk.h"
#include "styling.h"
#include "traditional_table.h"

namespace vellumino {
namespace {

using platform::CharacterPair;
using testing_gbk::AllDoubleByteGbk;
using testing_gbk::ToGbk;

struct Direction {
    const char* name;
    std::span<const CharacterPair> (*table)();
    SignatureText (*command)(SignatureView);
    std::size_t atLeast;  // far fewer entries means the generator lost a dictionary
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

// Every code unit, surrogate halves and unassigned ones included, in one text:
// only the table's sources may change.
TEST_P(ConversionTable, OnlySourcesChange)
{
    SignatureText every(0x10000, u'\0');
    for (std::size_t unit = 0; unit < every.size(); ++unit) {
        every[unit] = static_cast<char16_t>(unit);
    }
    const auto result = GetParam().command(every);
    ASSERT_EQ(result.size(), every.size());
    std::size_t changed = 0;
    for (std::size_t unit = 0; unit < every.size(); ++unit) {
        if (result[unit] != every[unit]) {
            ++changed;
            EXPECT_TRUE(IsSource(GetParam().table(), every[unit])) << "U+" << std::hex << unit;
        }
    }
    EXPECT_EQ(changed, GetParam().table().size());
}

INSTANTIATE_TEST_SUITE_P(
    Both, ConversionTable,
    testing::Values(Direction{"ToTraditional", platform::TraditionalTable, ToTraditional, 2500},
                    Direction{"ToSimplified", platform::SimplifiedTable, ToSimplified, 2700}),
    [](const auto& instance) { return std::string(instance.param.name); });

}  // namespace
}  // namespace vellumino

#endif
