#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz_support.h"
#include "mapping_properties.h"
#include "martian_map.h"
#include "styling.h"

namespace {

using namespace vellumino;

// Read straight from the map's entries rather than from the tables the
// commands build, so that a fault in building those cannot hide here.
struct MartianFacts {
    std::array<char16_t, 0x10000> lookalikeOf{};      // 0 for a unit that is no key
    std::array<std::uint8_t, 0x10000> keysSharing{};  // 0 for a unit that is no lookalike

    MartianFacts()
    {
        for (const auto& entry : MartianMap) {
            lookalikeOf[entry.key] = entry.value;
            ++keysSharing[entry.value];
        }
    }

    bool IsLookalike(char16_t unit) const { return keysSharing[unit] > 0; }
    bool IsKeyOf(char16_t unit, char16_t lookalike) const { return lookalikeOf[unit] == lookalike; }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const MartianFacts facts;
    const std::u16string input = fuzz::UnitsFromBytes(data, size);
    fuzz::CheckMapping(FromMartian, input, fuzz::Targets::IdeographsOnly, fuzz::Sources::AnyBmpCharacter);

    const std::u16string plain = FromMartian(input);
    for (std::size_t i = 0; i < input.size(); ++i) {
        const char16_t unit = input[i];
        if (facts.IsLookalike(unit))
            fuzz::Check(facts.IsKeyOf(plain[i], unit), "a lookalike goes back to one of its keys", input,
                        plain);
        else
            fuzz::Check(plain[i] == unit, "a character that is no lookalike stays", input, plain);
    }
    fuzz::Check(ToMartian(plain) == ToMartian(input), "Martian script comes back unchanged", input, plain);

    // There and back: only a key that shares its lookalike may come back as
    // another key of it, and a lookalike in the text comes back as its key.
    const std::u16string back = FromMartian(ToMartian(input));
    for (std::size_t i = 0; i < input.size(); ++i) {
        const char16_t unit = input[i];
        const char16_t martian = facts.lookalikeOf[unit] != 0 ? facts.lookalikeOf[unit] : unit;
        if (back[i] == unit)
            continue;
        fuzz::Check(facts.IsLookalike(martian) && facts.IsKeyOf(back[i], martian),
                    "there and back gives a key of the same lookalike", input, back);
        fuzz::Check(facts.keysSharing[martian] > 1 || facts.IsLookalike(unit),
                    "a key with a lookalike of its own comes back", input, back);
    }
    return 0;
}
