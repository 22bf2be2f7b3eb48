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

constexpr char16_t kFirst = std::begin(kPairs)->simplified;
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

// One slot per code unit from the first source to the last, holding the
// unit itself where the table has no entry: a lookup is one bounds check and
// one load, which keeps long texts close to the speed of a plain copy.
constexpr std::size_t kSpan = std::size_t{kLast} - kFirst + 1;

constexpr std::array<char16_t, kSpan> BuildFlatTable()
{
    std::array<char16_t, kSpan> flat{};
    for (std::size_t i = 0; i < kSpan; ++i) {
        flat[i] = static_cast<char16_t>(kFirst + i);
    }
    for (const TraditionalPair& pair : kPairs) {
        flat[pair.simplified - kFirst] = pair.traditional;
    }
    return flat;
}

constexpr std::array<char16_t, kSpan> kFlat = BuildFlatTable();

constexpr char16_t Map(char16_t unit)
{
    // Units below kFirst wrap around to a huge offset and fall outside.
    const std::size_t offset = std::size_t{unit} - kFirst;
    return offset < kSpan ? kFlat[offset] : unit;
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

}  // namespace vellumino::platform
