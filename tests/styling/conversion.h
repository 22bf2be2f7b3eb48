// What the table-driven suites of the mapping commands share: one case is a
// text and what the command must make of it, named by its text.
#pragma once

#include <gtest/gtest.h>

#include <ostream>

#include "signature_text.h"

namespace vellumino {

inline constexpr char16_t kHigh = 0xD83D;  // the halves of U+1F600
inline constexpr char16_t kLow = 0xDE00;

struct Conversion {
    SignatureText text, expected;
};

inline void PrintTo(const Conversion& conversion, std::ostream* out)
{
    *out << testing::PrintToString(conversion.text);
}

}  // namespace vellumino
