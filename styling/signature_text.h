// The signature as the commands see it: UTF-16 code units, exactly as the
// field holds them. Comparisons are code-unit exact.
#pragma once

#include <string>
#include <string_view>

namespace vellumino {

using SignatureText = std::u16string;
using SignatureView = std::u16string_view;

}  // namespace vellumino
