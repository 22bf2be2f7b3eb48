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

}  // namespace vellumino
