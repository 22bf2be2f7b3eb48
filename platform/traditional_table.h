// The simplified/traditional tables compiled into every build that has no
// platform mapping service. Exposed so that their properties can be checked.
#pragma once

#include <span>
#include <string_view>

namespace vellumino::platform {

struct CharacterPair {
    char16_t source;
    char16_t target;
};

// Each sorted by `source` with no repeats; no `target` is also a `source` of
// the same table, so mapping twice gives what mapping once gives.
std::span<const CharacterPair> TraditionalTable();  // simplified -> traditional
std::span<const CharacterPair> SimplifiedTable();   // traditional -> simplified

// A phrase that the character table alone would convert otherwise, with the
// form it converts to; both equally long.
struct Phrase {
    std::u16string_view source;
    std::u16string_view target;
};

// Every phrase of each direction, in the order the conversion searches them.
std::span<const Phrase> TraditionalPhrases();
std::span<const Phrase> SimplifiedPhrases();

// The character that stands for `unit`'s group: phrases match where each
// character of the text is in the same group as the phrase's. Every
// conversion keeps each character in its group.
char16_t TraditionalGroup(char16_t unit);
char16_t SimplifiedGroup(char16_t unit);

}  // namespace vellumino::platform
