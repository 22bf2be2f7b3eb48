#include <algorithm>
#include <array>
#include <cstddef>

#include "martian_map.h"
#include "styling.h"

namespace vellumino {

namespace {

// One slot per UTF-16 code unit, holding what that unit becomes: its lookalike
// or itself. Surrogates map to themselves, so pairs and lone halves survive.
consteval std::array<char16_t, 0x10000> BuildLookalikes()
{
    std::array<char16_t, 0x10000> table{};
    for (std::size_t unit = 0; unit < table.size(); ++unit)
        table[unit] = static_cast<char16_t>(unit);
    for (const auto& entry : MartianMap)
        table[entry.key] = entry.value;
    return table;
}

constexpr auto kLookalikes = BuildLookalikes();

// One pass over the text matches applying the entries one after the other only
// while every key keeps its own lookalike (none listed twice with different
// values) and no lookalike is itself a key; the latter also makes a second click
// change nothing.
consteval bool SinglePassIsExact()
{
    for (const auto& entry : MartianMap) {
        if (kLookalikes[entry.key] != entry.value || kLookalikes[entry.value] != entry.value)
            return false;
    }
    return true;
}
static_assert(SinglePassIsExact(), "the Martian map has a repeated key or a lookalike that is also a key");

}  // namespace

SignatureText ToMartian(SignatureView text)
{
    // Sized up front and filled by index: a push_back per unit costs a
    // capacity check and a terminator store each time, three times the lookup.
    SignatureText result(text.size(), u'\0');
    std::transform(text.begin(), text.end(), result.begin(), [](char16_t unit) { return kLookalikes[unit]; });
    return result;
}

}  // namespace vellumino
