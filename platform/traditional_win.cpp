// Windows: the national-language service maps the text through code page 936,
// one character at a time, so that a character the code page cannot carry, or
// one the service would widen, narrow, drop or map on again, stays as it was.
#include <windows.h>

#include <optional>
#include <string>

#include "traditional.h"

namespace vellumino::platform {
namespace {

constexpr UINT kCodePage = 936;
constexpr LCID kChinesePrc = 2052;

// The exact code-page-936 bytes of one code unit. A best-fit or default
// character ('?') would corrupt the text, so those count as unrepresentable.
std::optional<std::string> ToCodePage(char16_t unit)
{
    const wchar_t wide = static_cast<wchar_t>(unit);
    char bytes[2] = {};
    BOOL usedDefault = FALSE;
    const int length =
        WideCharToMultiByte(kCodePage, WC_NO_BEST_FIT_CHARS, &wide, 1, bytes, 2, nullptr, &usedDefault);
    if (length <= 0 || usedDefault) {
        return std::nullopt;
    }
    wchar_t back = 0;
    if (MultiByteToWideChar(kCodePage, MB_ERR_INVALID_CHARS, bytes, length, &back, 1) != 1 || back != wide) {
        return std::nullopt;
    }
    return std::string(bytes, static_cast<std::size_t>(length));
}

// What the service makes of one character, or the character itself whenever
// the result is not exactly one character of the same byte length.
char16_t MapOnce(char16_t unit)
{
    // ASCII is never Chinese, and half a surrogate pair has no form in 936.
    if (unit < 0x80 || (unit >= 0xD800 && unit <= 0xDFFF)) {
        return unit;
    }
    const std::optional<std::string> source = ToCodePage(unit);
    if (!source) {
        return unit;
    }
    const int length = lstrlenA(source->c_str());
    if (length <= 0 || static_cast<std::size_t>(length) != source->size()) {
        return unit;
    }
    // Spaces first: should the service write nothing, the check below fails.
    std::string mapped(source->size(), ' ');
    if (LCMapStringA(kChinesePrc, LCMAP_TRADITIONAL_CHINESE, source->c_str(), length, mapped.data(),
                     length) != length) {
        return unit;
    }
    wchar_t wide = 0;
    if (MultiByteToWideChar(kCodePage, MB_ERR_INVALID_CHARS, mapped.data(), length, &wide, 1) != 1) {
        return unit;
    }
    const auto result = static_cast<char16_t>(wide);
    const std::optional<std::string> check = ToCodePage(result);
    return check && *check == mapped ? result : unit;
}

// Only a form the service itself leaves alone is taken: a second run then
// finds nothing left to change.
char16_t Map(char16_t unit)
{
    const char16_t once = MapOnce(unit);
    if (once == unit || MapOnce(once) != once) {
        return unit;
    }
    return once;
}

}  // namespace

std::u16string MapToTraditional(std::u16string_view text)
{
    std::u16string result(text);
    for (char16_t& unit : result) {
        unit = Map(unit);
    }
    return result;
}

}  // namespace vellumino::platform
