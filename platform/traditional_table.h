// The simplified-to-traditional table compiled into every build that has no
// platform mapping service. Exposed so that its properties can be checked.
#pragma once

#include <span>

namespace vellumino::platform {

struct TraditionalPair {
    char16_t simplified;
    char16_t traditional;
};

// Sorted by `simplified` with no repeats; no `traditional` is also a
// `simplified`, so mapping twice gives what mapping once gives.
std::span<const TraditionalPair> TraditionalTable();

}  // namespace vellumino::platform
