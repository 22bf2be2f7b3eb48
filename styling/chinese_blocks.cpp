// The tables generated from OpenCC's dictionaries and jieba's word list,
// checked by the compiler where it can: the character tables and the groups,
// built into 256-unit blocks for that alone.
#include "chinese_blocks.h"

#include <algorithm>
#include <array>
#include <iterator>
#include <vector>

#include "chinese_packed.h"
#include "chinese_tables.h"
#include "table_section.h"

namespace vellumino::chinese {
namespace {

// Regenerate all of these with tools/gen-traditional-table.py rather than editing by hand.
constexpr CharacterPair kToTraditional[] = {
#include "opencc/traditional_table.inc"
};
constexpr CharacterPair kToSimplified[] = {
#include "opencc/simplified_table.inc"
};

// Groups: runs of a count in one code unit followed by that many
// characters, in code order. Phrases: bytes, packed as chinese_packed.h
// reads them, and unpacked on first use. The phrases make one literal longer
// than the 65,536 characters the standard promises; GCC and Clang take far
// longer ones.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Woverlength-strings"
VELLUMINO_TABLE(traditional) constexpr char16_t kTraditionalGroupsUnits[] =
#include "opencc/traditional_groups.inc"
    ;
constexpr std::u16string_view kTraditionalGroups{kTraditionalGroupsUnits,
                                                 std::size(kTraditionalGroupsUnits) - 1};
VELLUMINO_TABLE(traditional) constexpr unsigned char kTraditionalPhrases[] =
#include "opencc/traditional_phrases.inc"
    ;
VELLUMINO_TABLE(simplified) constexpr char16_t kSimplifiedGroupsUnits[] =
#include "opencc/simplified_groups.inc"
    ;
constexpr std::u16string_view kSimplifiedGroups{kSimplifiedGroupsUnits,
                                                std::size(kSimplifiedGroupsUnits) - 1};
VELLUMINO_TABLE(simplified) constexpr unsigned char kSimplifiedPhrases[] =
#include "opencc/simplified_phrases.inc"
    ;
#pragma GCC diagnostic pop
// The single characters' costs, in runs as chinese_packed.h reads them.
VELLUMINO_TABLE(traditional) constexpr unsigned char kTraditionalCosts[] =
#include "opencc/traditional_costs.inc"
    ;
VELLUMINO_TABLE(simplified) constexpr unsigned char kSimplifiedCosts[] =
#include "opencc/simplified_costs.inc"
    ;

template <std::size_t N>
consteval bool IsSortedWithoutRepeats(const CharacterPair (&pairs)[N])
{
    return std::adjacent_find(std::begin(pairs), std::end(pairs),
                              [](const CharacterPair& a, const CharacterPair& b) {
                                  return a.source >= b.source;
                              }) == std::end(pairs);
}

// Half of a surrogate pair must never be rewritten on its own, nor written.
template <std::size_t N>
consteval bool AvoidsSurrogates(const CharacterPair (&pairs)[N])
{
    return std::prev(std::end(pairs))->source < 0xD800 &&
           std::none_of(std::begin(pairs), std::end(pairs),
                        [](const CharacterPair& p) { return IsSurrogate(p.target); });
}

static_assert(IsSortedWithoutRepeats(kToTraditional), "the table must be sorted by source with no repeats");
static_assert(IsSortedWithoutRepeats(kToSimplified), "the table must be sorted by source with no repeats");
static_assert(AvoidsSurrogates(kToTraditional), "surrogates must be neither sources nor targets");
static_assert(AvoidsSurrogates(kToSimplified), "surrogates must be neither sources nor targets");

// The character tables and the groups in two steps each, for the checks
// below: which 256-unit block holds a unit's slot, and the slot the distance
// from the unit down to its form or to the first of its group, the shared
// block 0 zeros. Checking them takes the compiler seconds; the program
// itself reads the pairs and the group runs (chinese.cpp).
constexpr std::size_t kBlock = 256;
using Distances = std::array<char16_t, kBlock>;

template <std::size_t N>
consteval std::size_t CountBlocks(const CharacterPair (&pairs)[N])
{
    std::array<bool, kBlock> used{};
    for (const CharacterPair& pair : pairs) {
        used[pair.source / kBlock] = true;
    }
    return 1 + static_cast<std::size_t>(std::count(used.begin(), used.end(), true));
}

consteval std::size_t CountBlocks(std::u16string_view groups)
{
    std::array<bool, kBlock> used{};
    ForEachGroup(groups, [&used](std::size_t, std::u16string_view members) {
        for (const char16_t member : members.substr(1)) {
            used[member / kBlock] = true;
        }
    });
    return 1 + static_cast<std::size_t>(std::count(used.begin(), used.end(), true));
}

template <std::size_t Blocks>
struct BlockTable {
    static_assert(Blocks <= 256, "block numbers are one byte");
    std::array<std::uint8_t, kBlock> block{};
    std::array<Distances, Blocks> distance{};

    constexpr char16_t operator()(char16_t unit) const
    {
        return static_cast<char16_t>(unit - distance[block[unit / kBlock]][unit % kBlock]);
    }
};

template <std::size_t Blocks>
consteval BlockTable<Blocks> BuildGroups(std::u16string_view groups)
{
    BlockTable<Blocks> table{};
    std::size_t used = 1;
    ForEachGroup(groups, [&](std::size_t, std::u16string_view members) {
        for (const char16_t member : members.substr(1)) {
            std::uint8_t& block = table.block[member / kBlock];
            if (block == 0) {
                block = static_cast<std::uint8_t>(used++);
            }
            table.distance[block][member % kBlock] = static_cast<char16_t>(member - members[0]);
        }
    });
    return table;
}

template <std::size_t Blocks, std::size_t N>
consteval BlockTable<Blocks> BuildMap(const CharacterPair (&pairs)[N])
{
    BlockTable<Blocks> table{};
    std::size_t used = 1;
    for (const CharacterPair& pair : pairs) {
        std::uint8_t& block = table.block[pair.source / kBlock];
        if (block == 0) {
            block = static_cast<std::uint8_t>(used++);
        }
        table.distance[block][pair.source % kBlock] = static_cast<char16_t>(pair.source - pair.target);
    }
    return table;
}

constexpr auto kTraditionalMap = BuildMap<CountBlocks(kToTraditional)>(kToTraditional);
constexpr auto kSimplifiedMap = BuildMap<CountBlocks(kToSimplified)>(kToSimplified);

template <std::size_t N, typename Map>
consteval bool IsFinal(const CharacterPair (&pairs)[N], const Map& map)
{
    return std::all_of(std::begin(pairs), std::end(pairs),
                       [&map](const CharacterPair& p) { return map(p.target) == p.target; });
}

static_assert(IsFinal(kToTraditional, kTraditionalMap),
              "a target that is also a source would make the conversion change its own output");
static_assert(IsFinal(kToSimplified, kSimplifiedMap),
              "a target that is also a source would make the conversion change its own output");

// Groups in code order, characters in code order within each, none in two
// groups and no surrogates: then each group's first character is its smallest,
// as the generator sorted the phrases by.
consteval bool AreGroupsWellFormed(std::u16string_view groups)
{
    std::array<bool, kUnits> seen{};
    char16_t previousFirst = 0;
    bool ok = true;
    ok &= ForEachGroup(groups, [&](std::size_t, std::u16string_view members) {
        ok &= members.size() >= 2 && members[0] > previousFirst;
        previousFirst = members[0];
        for (std::size_t i = 0; i < members.size(); ++i) {
            ok &= !IsSurrogate(members[i]) && !seen[members[i]] && (i == 0 || members[i - 1] < members[i]);
            seen[members[i]] = true;
        }
    });
    return ok;
}

static_assert(AreGroupsWellFormed(kTraditionalGroups), "malformed groups");
static_assert(AreGroupsWellFormed(kSimplifiedGroups), "malformed groups");

constexpr auto kTraditionalGroupOf =
    BuildGroups<CountBlocks(kTraditionalGroups)>(kTraditionalGroups);
constexpr auto kSimplifiedGroupOf =
    BuildGroups<CountBlocks(kSimplifiedGroups)>(kSimplifiedGroups);

// What makes a second run change nothing: the character table keeps each
// character in its group, and so does every phrase, character by character.
// The converted text then holds the same groups at the same places, the
// same phrases match there, and what lies between them is already final.
template <std::size_t N, typename Group>
consteval bool KeepsGroups(const CharacterPair (&pairs)[N], const Group& group)
{
    return std::all_of(std::begin(pairs), std::end(pairs),
                       [&group](const CharacterPair& p) { return group(p.source) == group(p.target); });
}

static_assert(KeepsGroups(kToTraditional, kTraditionalGroupOf), "a character leaves its group");
static_assert(KeepsGroups(kToSimplified, kSimplifiedGroupOf), "a character leaves its group");

// The pairs as the program carries them: a third of their bytes, and half
// once compressed, where a pair of 16-bit units each compresses poorly.
template <std::size_t N, typename Out>
constexpr void PackPairs(const CharacterPair (&pairs)[N], Out out)
{
    std::uint32_t previous = 0;
    for (const CharacterPair& pair : pairs) {
        AppendNumber(pair.source - previous, out);
        AppendNumber(Zigzag(static_cast<std::int32_t>(pair.target) - static_cast<std::int32_t>(pair.source)), out);
        previous = pair.source;
    }
}

template <std::size_t N>
consteval std::size_t PackedSize(const CharacterPair (&pairs)[N])
{
    std::size_t size = 0;
    PackPairs(pairs, [&size](std::uint32_t) { ++size; });
    return size;
}

template <std::size_t Size, std::size_t N>
consteval std::array<unsigned char, Size> Packed(const CharacterPair (&pairs)[N])
{
    std::array<unsigned char, Size> packed{};
    std::size_t at = 0;
    PackPairs(pairs, [&](std::uint32_t byte) { packed[at++] = static_cast<unsigned char>(byte); });
    return packed;
}

VELLUMINO_TABLE(traditional) constexpr auto kTraditionalPairs =
    Packed<PackedSize(kToTraditional)>(kToTraditional);
VELLUMINO_TABLE(simplified) constexpr auto kSimplifiedPairs = Packed<PackedSize(kToSimplified)>(kToSimplified);

constexpr DirectionTables kTraditional{kTraditionalPairs, kTraditionalGroups,
                                       {kTraditionalPhrases, std::size(kTraditionalPhrases) - 1},
                                       {kTraditionalCosts, std::size(kTraditionalCosts) - 1}};
constexpr DirectionTables kSimplified{kSimplifiedPairs, kSimplifiedGroups,
                                      {kSimplifiedPhrases, std::size(kSimplifiedPhrases) - 1},
                                      {kSimplifiedCosts, std::size(kSimplifiedCosts) - 1}};

}  // namespace

const DirectionTables& TraditionalTables()
{
    return kTraditional;
}

const DirectionTables& SimplifiedTables()
{
    return kSimplified;
}

// Unpacked for the checks that list them; the conversion reads the packed pairs.
static std::vector<CharacterPair> UnpackPairs(std::span<const unsigned char> packed)
{
    std::vector<CharacterPair> list;
    ForEachPair(packed, [&list](char16_t source, char16_t target) { list.push_back({source, target}); });
    return list;
}

std::span<const CharacterPair> TraditionalTable()
{
    static const std::vector<CharacterPair> pairs = UnpackPairs(kTraditional.forms);
    return pairs;
}

std::span<const CharacterPair> SimplifiedTable()
{
    static const std::vector<CharacterPair> pairs = UnpackPairs(kSimplified.forms);
    return pairs;
}

}  // namespace vellumino::chinese
