#include "traditional_table.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <iterator>

#include "traditional.h"

namespace vellumino::platform {
namespace {

// Regenerate both with tools/gen-traditional-table.py rather than editing by hand.
constexpr CharacterPair kToTraditional[] = {
#include "traditional_table.inc"
};
constexpr CharacterPair kToSimplified[] = {
#include "simplified_table.inc"
};

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
                        [](const CharacterPair& p) { return p.target >= 0xD800 && p.target <= 0xDFFF; });
}

static_assert(IsSortedWithoutRepeats(kToTraditional), "the table must be sorted by source with no repeats");
static_assert(IsSortedWithoutRepeats(kToSimplified), "the table must be sorted by source with no repeats");
static_assert(AvoidsSurrogates(kToTraditional), "surrogates must be neither sources nor targets");
static_assert(AvoidsSurrogates(kToSimplified), "surrogates must be neither sources nor targets");

// One slot per UTF-16 code unit, holding the unit itself where the table has
// no entry, so a lookup is a single load with no branch. Bounding the table to
// the sources' range instead needs a range check per unit, and on text that
// mixes Chinese with Latin letters that check mispredicts often enough to make
// the conversion several times slower.
constexpr std::size_t kUnits = 0x10000;
using FlatTable = std::array<char16_t, kUnits>;

template <std::size_t N>
consteval FlatTable BuildFlatTable(const CharacterPair (&pairs)[N])
{
    FlatTable flat{};
    for (std::size_t i = 0; i < kUnits; ++i) {
        flat[i] = static_cast<char16_t>(i);
    }
    for (const CharacterPair& pair : pairs) {
        flat[pair.source] = pair.target;
    }
    return flat;
}

constexpr FlatTable kTraditionalFlat = BuildFlatTable(kToTraditional);
constexpr FlatTable kSimplifiedFlat = BuildFlatTable(kToSimplified);

template <std::size_t N>
consteval bool IsFinal(const CharacterPair (&pairs)[N], const FlatTable& flat)
{
    return std::all_of(std::begin(pairs), std::end(pairs),
                       [&flat](const CharacterPair& p) { return flat[p.target] == p.target; });
}

static_assert(IsFinal(kToTraditional, kTraditionalFlat),
              "a target that is also a source would make the conversion change its own output");
static_assert(IsFinal(kToSimplified, kSimplifiedFlat),
              "a target that is also a source would make the conversion change its own output");

std::u16string MapThrough(const FlatTable& flat, std::u16string_view text)
{
    std::u16string result(text);
    for (char16_t& unit : result) {
        unit = flat[unit];
    }
    return result;
}

}  // namespace

std::span<const CharacterPair> TraditionalTable()
{
    return kToTraditional;
}

std::span<const CharacterPair> SimplifiedTable()
{
    return kToSimplified;
}

std::u16string MapToTraditional(std::u16string_view text)
{
    return MapThrough(kTraditionalFlat, text);
}

std::u16string MapToSimplified(std::u16string_view text)
{
    return MapThrough(kSimplifiedFlat, text);
}

}  // namespace vellumino::platform
