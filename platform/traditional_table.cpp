#include "traditional_table.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <iterator>

#include "traditional.h"

namespace vellumino::platform {
namespace {

// Regenerate with tools/gen-traditional-table.py rather than editing by hand.
constexpr TraditionalPair kPairs[] = {
#include "traditional_table.inc"
};

constexpr char16_t kLast = std::prev(std::end(kPairs))->simplified;

static_assert(std::adjacent_find(std::begin(kPairs), std::end(kPairs),
                                 [](const TraditionalPair& a, const TraditionalPair& b) {
                                     return a.simplified >= b.simplified;
                                 }) == std::end(kPairs),
              "the table must be sorted by source with no repeats");

// Half of a surrogate pair must never be rewritten on its own.
static_assert(kLast < 0xD800, "sources must lie below the surrogates");
static_assert(std::none_of(std::begin(kPairs), std::end(kPairs),
                           [](const TraditionalPair& p) {
                               return p.traditional >= 0xD800 && p.traditional <= 0xDFFF;
                           }),
              "targets must not be surrogates");

// One slot per UTF-16 code unit, holding the unit itself where the table has
// no entry, so a lookup is a single load with no branch. Bounding the table to
// the sources' range instead needs a range check per unit, and on text that
// mixes Chinese with Latin letters that check mispredicts often enough to make
// the conversion several times slower.
constexpr std::size_t kUnits = 0x10000;

constexpr std::array<char16_t, kUnits> BuildFlatTable()
{
    std::array<char16_t, kUnits> flat{};
    for (std::size_t i = 0; i < kUnits; ++i) {
        flat[i] = static_cast<char16_t>(i);
    }
    for (const TraditionalPair& pair : kPairs) {
        flat[pair.simplified] = pair.traditional;
    }
    return flat;
}

constexpr std::array<char16_t, kUnits> kFlat = BuildFlatTable();

constexpr char16_t Map(char16_t unit)
{
    return kFlat[unit];
}

static_assert(std::all_of(std::begin(kPairs), std::end(kPairs),
                          [](const TraditionalPair& p) { return Map(p.traditional) == p.traditional; }),
              "a target that is also a source would make the conversion change its own output");

}  // namespace

std::span<const TraditionalPair> TraditionalTable()
{
    return kPairs;
}

std::u16string MapToTraditional(std::u16string_view text)
{
    std::u16string result(text);
    for (char16_t& unit : result) {
        unit = Map(unit);
    }
    return result;
}

// The generated traditional-to-simplified table comes with the commands that
// use it; until then the text comes back as it went in.
std::u16string MapToSimplified(std::u16string_view text)
{
    return std::u16string(text);
}

}  // namespace vellumino::platform
