#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz_support.h"
#include "styling.h"

namespace {

// What spacing must produce, built the plain way: the characters that are not
// U+0020, in order, each pair as one, joined by single spaces.
std::u16string Spread(std::u16string_view text)
{
    std::u16string spread;
    for (const auto character : vellumino::fuzz::Characters(text)) {
        if (character == u" ")
            continue;
        if (!spread.empty())
            spread.push_back(u' ');
        spread.append(character);
    }
    return spread;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace vellumino;
    using fuzz::Check;

    const std::u16string input = fuzz::UnitsFromBytes(data, size);
    const std::u16string once = AddSpaces(input);

    Check(!fuzz::IsValidUtf16(input) || fuzz::IsValidUtf16(once), "valid UTF-16 stays valid", input, once);
    // Comparing character lists rather than units also proves that no space
    // landed inside a pair and that no two lone halves were joined into one.
    Check(once == Spread(input), "the characters stay in order, one space apart", input, once);
    Check(AddSpaces(once) == once, "a second run changes nothing", input, once);
    return 0;
}
