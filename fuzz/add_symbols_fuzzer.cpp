#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz_support.h"
#include "styling.h"

namespace {

constexpr std::u16string_view kOpening = u"↗℡";
constexpr std::u16string_view kClosing = u"╰☆";

std::u16string WithoutOrnamentUnits(std::u16string_view text)
{
    std::u16string kept;
    for (const char16_t unit : text) {
        if (unit != u'↗' && unit != u'℡' && unit != u'╰' && unit != u'☆')
            kept.push_back(unit);
    }
    return kept;
}

bool HasRun(std::u16string_view text, std::u16string_view ornament, std::size_t count)
{
    std::u16string run;
    for (std::size_t i = 0; i < count; ++i)
        run.append(ornament);
    return text.find(run) != std::u16string_view::npos;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace vellumino;
    using fuzz::Check;

    const std::u16string input = fuzz::UnitsFromBytes(data, size);
    const std::u16string once = AddSymbols(input);

    Check(once.starts_with(kOpening) && once.ends_with(kClosing), "the result is framed", input, once);
    Check(once.size() <= input.size() + kOpening.size() + kClosing.size(),
          "framing adds at most two ornaments", input, once);
    // Only whole ornaments are added or folded away: everything else, pairs
    // and lone surrogates included, stays in order.
    Check(WithoutOrnamentUnits(once) == WithoutOrnamentUnits(input), "only ornaments are added or removed",
          input, once);
    // ...and always both halves of one together, so a stray half is never lost.
    const auto balance = [](std::u16string_view text, char16_t first, char16_t second) {
        return std::count(text.begin(), text.end(), first) - std::count(text.begin(), text.end(), second);
    };
    Check(balance(once, u'↗', u'℡') == balance(input, u'↗', u'℡') &&
              balance(once, u'╰', u'☆') == balance(input, u'╰', u'☆'),
          "ornaments are added and removed whole", input, once);
    Check(!fuzz::IsValidUtf16(input) || fuzz::IsValidUtf16(once), "valid UTF-16 stays valid", input, once);

    // Each click folds every double once, so a run of three or more ornaments
    // inside the text shrinks over several clicks; anything else is settled
    // by the first.
    const std::u16string twice = AddSymbols(once);
    const bool settled = !HasRun(input, kOpening, 3) && !HasRun(input, kClosing, 3);
    const bool no_double_left = !HasRun(once, kOpening, 2) && !HasRun(once, kClosing, 2);
    Check(!(settled || no_double_left) || twice == once, "a second click changes nothing", input, twice);

    // Every click at least halves each run, so the text settles within about
    // log2(length) clicks.
    std::u16string current = once;
    std::size_t clicks = 0;
    for (std::size_t budget = input.size(); budget > 0; budget /= 2)
        ++clicks;
    for (std::size_t i = 0; i <= clicks + 1; ++i)
        current = AddSymbols(current);
    Check(AddSymbols(current) == current, "repeated clicks settle", input, current);
    return 0;
}
