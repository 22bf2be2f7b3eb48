#include <cstddef>
#include <cstdint>
#include <string>

#include "catalogue.h"
#include "fuzz_support.h"

namespace {

using vellumino::Style;

// Every code point some style writes.
const std::u32string& Written()
{
    static const std::u32string written = [] {
        std::u32string all;
        for (const Style& style : vellumino::StyleCatalogue())
            all += vellumino::StyleCodePoints(style);
        return all;
    }();
    return written;
}

// A text that no style and no frame of 加符号's could have touched: the
// styles promise to give back exactly such a text.
bool Plain(std::u16string_view text)
{
    for (const auto character : vellumino::fuzz::Characters(text)) {
        char32_t c = character[0];
        if (character.size() == 2)
            c = 0x10000 + ((c - 0xD800) << 10) + (character[1] - 0xDC00u);
        if (Written().find(c) != std::u32string::npos)
            return false;
    }
    return vellumino::RemoveStyles(text) == text;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace vellumino;
    using fuzz::Check;

    const std::u16string input = fuzz::UnitsFromBytes(data, size);
    const auto styles = StyleCatalogue();
    const bool plain = Plain(input);
    // The style, and a second one to stack on it, picked by the input's
    // first bytes, so that every pair comes up over a run.
    const Style& style = styles[(size > 0 ? data[0] : 0) % styles.size()];
    const Style& second = styles[(size > 1 ? data[1] : 0) % styles.size()];

    const std::u16string removed = RemoveStyles(input);
    Check(!fuzz::IsValidUtf16(input) || fuzz::IsValidUtf16(removed), "valid UTF-16 stays valid", input,
          removed);

    const std::u16string once = ApplyStyle(style, input);
    Check(!fuzz::IsValidUtf16(input) || fuzz::IsValidUtf16(once), "valid UTF-16 stays valid", input, once);
    Check(ApplyStyle(style, once) == once, "a second click changes nothing", input, once);
    const std::u16string stacked = ApplyStyle(second, once);
    if (plain) {
        Check(RemoveStyles(once) == input, "去除样式 gives the text back", input, once);
        Check(RemoveStyles(stacked) == input, "去除样式 takes two styles off", input, stacked);
    }
    if (style.family == StyleFamily::Letters && second.family == StyleFamily::Letters)
        Check(stacked == ApplyStyle(second, input), "a letter style replaces another", input, stacked);
    return 0;
}
