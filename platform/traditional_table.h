// The simplified/traditional tables compiled into every build that has no
// platform mapping service. Exposed so that their properties can be checked.
#pragma once

#include <span>

namespace vellumino::platform {

struct CharacterPair {
    char16_t source;
    char16_t target;
};

// Each sorted by `source` with no repeats; no `target` is also a `source` of
// the same table, so mapping twice gives what mapping once gives.
std::span<const CharacterPair> TraditionalTable();  // simplified -> traditional
std::span<const CharacterPair> SimplifiedTable();   // traditional -> simplified

}  // namespace vellumino::platform
