#include <algorithm>
#include <array>
#include <cstddef>
#include <vector>

#include "martian_map.h"
#include "styling.h"

namespace vellumino {

namespace {

using UnitTable = std::array<char16_t, 0x10000>;

// One slot per UTF-16 code unit, holding what that unit becomes: its lookalike
// or itself. Surrogates map to themselves, so pairs and lone halves survive.
// The program carries only the map's pairs: both tables are filled from them
// on first use (a fraction of a millisecond), and built here at compile time
// only to check them.
template <typename Table>
constexpr void FillLookalikes(Table& table)
{
    for (std::size_t unit = 0; unit < table.size(); ++unit)
        table[unit] = static_cast<char16_t>(unit);
    for (const auto& entry : MartianMap)
        table[entry.key] = entry.value;
}

consteval UnitTable BuildLookalikes()
{
    UnitTable table{};
    FillLookalikes(table);
    return table;
}

// One pass over the text matches applying the entries one after the other only
// while every key keeps its own lookalike (none listed twice with different
// values) and no lookalike is itself a key; the latter also makes a second click
// change nothing.
consteval bool SinglePassIsExact()
{
    const UnitTable lookalikes = BuildLookalikes();
    for (const auto& entry : MartianMap) {
        if (lookalikes[entry.key] != entry.value || lookalikes[entry.value] != entry.value)
            return false;
    }
    return true;
}
static_assert(SinglePassIsExact(), "the Martian map has a repeated key or a lookalike that is also a key");

struct PreferredKey {
    char16_t lookalike;
    char16_t key;
};

// The shared lookalikes that go back to their simplified or standard form
// rather than to the first key listed for them. Derived from OpenCC's data by
// tools/gen-traditional-table.py, which reads the map above, so that a change
// to the map is followed by running it again.
constexpr PreferredKey kPreferredKeys[] = {
#include "martian_preferred.inc"
};

consteval std::size_t KeysOf(char16_t lookalike)
{
    return static_cast<std::size_t>(
        std::count_if(MartianMap.begin(), MartianMap.end(),
                      [lookalike](const MartianEntry& entry) { return entry.value == lookalike; }));
}

consteval const MartianEntry* FirstKeyOf(char16_t lookalike)
{
    return std::find_if(MartianMap.begin(), MartianMap.end(),
                        [lookalike](const MartianEntry& entry) { return entry.value == lookalike; });
}

// A preference only means something for an entry of the map whose lookalike
// the first-listed key would otherwise win; the generator never writes
// anything else, so this fails only when the map changed after it last ran.
consteval bool PreferencesMatchTheMap()
{
    for (std::size_t i = 0; i < std::size(kPreferredKeys); ++i) {
        const char16_t lookalike = kPreferredKeys[i].lookalike;
        const char16_t key = kPreferredKeys[i].key;
        const bool isEntry = std::any_of(
            MartianMap.begin(), MartianMap.end(),
            [&](const MartianEntry& entry) { return entry.key == key && entry.value == lookalike; });
        if (!isEntry || KeysOf(lookalike) < 2 || FirstKeyOf(lookalike)->key == key)
            return false;
        if (i > 0 && kPreferredKeys[i - 1].lookalike >= lookalike)
            return false;
    }
    return true;
}
static_assert(PreferencesMatchTheMap(),
              "martian_preferred.inc is out of date: run tools/gen-traditional-table.py");

// The reverse of the lookalikes: each lookalike back to one of its keys.
template <typename Table>
constexpr void FillKeys(Table& table)
{
    for (std::size_t unit = 0; unit < table.size(); ++unit)
        table[unit] = static_cast<char16_t>(unit);
    // No lookalike is a key, so a slot still holding itself has not been
    // claimed yet; the first key listed claims it.
    for (const auto& entry : MartianMap) {
        if (table[entry.value] == entry.value)
            table[entry.value] = entry.key;
    }
    for (const auto& preferred : kPreferredKeys)
        table[preferred.lookalike] = preferred.key;
}

// Going back and forth again gives the same Martian text, whichever key won.
consteval bool EveryLookalikeComesBack()
{
    const UnitTable lookalikes = BuildLookalikes();
    UnitTable keys{};
    FillKeys(keys);
    for (const auto& entry : MartianMap) {
        if (lookalikes[keys[entry.value]] != entry.value)
            return false;
    }
    return true;
}
static_assert(EveryLookalikeComesBack(), "a lookalike goes back to a character that is not one of its keys");

// Filled at run time: on the heap, so that no compiler can fold the table
// back into the program as 128 KiB of data.
using Filler = void (*)(std::vector<char16_t>&);

SignatureText MapUnits(const std::vector<char16_t>& table, SignatureView text)
{
    // Sized up front and filled by index: a push_back per unit costs a
    // capacity check and a terminator store each time, three times the lookup.
    SignatureText result(text.size(), u'\0');
    std::transform(text.begin(), text.end(), result.begin(), [&table](char16_t unit) { return table[unit]; });
    return result;
}

std::vector<char16_t> Filled(Filler fill)
{
    std::vector<char16_t> table(0x10000);
    fill(table);
    return table;
}

}  // namespace

SignatureText ToMartian(SignatureView text)
{
    static const std::vector<char16_t> lookalikes = Filled(FillLookalikes<std::vector<char16_t>>);
    return MapUnits(lookalikes, text);
}

SignatureText FromMartian(SignatureView text)
{
    static const std::vector<char16_t> keys = Filled(FillKeys<std::vector<char16_t>>);
    return MapUnits(keys, text);
}

}  // namespace vellumino
