#include "codepage_mapping.h"

namespace vellumino::platform {
namespace {

// What the service makes of one character, or the character itself whenever
// the result is not exactly one character of the same byte length.
char16_t MapOnce(char16_t unit, CodePage936Service& service, std::uint32_t flags)
{
    // ASCII is never Chinese, and half a surrogate pair has no form in 936.
    if (unit < 0x80 || (unit >= 0xD800 && unit <= 0xDFFF)) {
        return unit;
    }
    const std::optional<std::string> source = service.Encode(unit);
    if (!source) {
        return unit;
    }
    const int length = service.ByteLength(source->c_str());
    if (length <= 0 || static_cast<std::size_t>(length) != source->size()) {
        return unit;
    }
    // Spaces first: should the service write nothing, the checks below fail.
    std::string mapped(source->size(), ' ');
    if (service.Map(flags, source->c_str(), mapped.data(), length) != length) {
        return unit;
    }
    const std::optional<char16_t> result = service.Decode(mapped);
    if (!result) {
        return unit;
    }
    // Bytes that decode to a character which encodes differently are not
    // that character's form in the code page; taking it would be a guess.
    const std::optional<std::string> check = service.Encode(*result);
    return check && *check == mapped ? *result : unit;
}

// Only a form the service itself leaves alone is taken: a second run then
// finds nothing left to change.
char16_t Map(char16_t unit, CodePage936Service& service, std::uint32_t flags)
{
    const char16_t once = MapOnce(unit, service, flags);
    if (once == unit || MapOnce(once, service, flags) != once) {
        return unit;
    }
    return once;
}

}  // namespace

std::u16string MapThroughCodePage936(std::u16string_view text, CodePage936Service& service,
                                     std::uint32_t flags)
{
    std::u16string result(text);
    for (char16_t& unit : result) {
        unit = Map(unit, service, flags);
    }
    return result;
}

}  // namespace vellumino::platform
