// The signature as the commands see it: UTF-16 code units, exactly as the
// field holds them. Comparisons are code-unit exact.
#pragma once

#include <string>
#include <string_view>

namespace vellumino {

using SignatureText = std::u16string;
using SignatureView = std::u16string_view;

constexpr bool IsHighSurrogate(char16_t unit)
{
    return unit >= 0xD800 && unit <= 0xDBFF;
}

constexpr bool IsLowSurrogate(char16_t unit)
{
    return unit >= 0xDC00 && unit <= 0xDFFF;
}

// The code point that starts at `pos` (< text.size()) and the code units it
// takes: 2 for a well-formed surrogate pair, else 1, a lone surrogate
// standing for itself.
struct CodePoint {
    char32_t value;
    std::size_t length;
};

constexpr CodePoint CodePointAt(SignatureView text, std::size_t pos)
{
    const char16_t unit = text[pos];
    if (IsHighSurrogate(unit) && pos + 1 < text.size() && IsLowSurrogate(text[pos + 1]))
        return {0x10000 + ((static_cast<char32_t>(unit) - 0xD800) << 10) + (text[pos + 1] - 0xDC00u), 2};
    return {unit, 1};
}

// Appends the code point (at most U+10FFFF) as one unit or a surrogate pair.
inline void AppendCodePoint(SignatureText& text, char32_t code)
{
    if (code < 0x10000) {
        text.push_back(static_cast<char16_t>(code));
    } else {
        text.push_back(static_cast<char16_t>(0xD800 + ((code - 0x10000) >> 10)));
        text.push_back(static_cast<char16_t>(0xDC00 + ((code - 0x10000) & 0x3FF)));
    }
}

}  // namespace vellumino
