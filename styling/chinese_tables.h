// The simplified/traditional tables behind ToTraditional and ToSimplified,
// generated from OpenCC's dictionaries. Exposed so that their properties can
// be checked.
#pragma once

#include <span>
#include <string_view>

namespace vellumino::chinese {

struct CharacterPair {
    char16_t source;
    char16_t target;
};

// Each sorted by `source` with no repeats; no `target` is also a `source` of
// the same table, so mapping twice gives what mapping once gives.
std::span<const CharacterPair> TraditionalTable();  // simplified -> traditional
std::span<const CharacterPair> SimplifiedTable();   // traditional -> simplified

// A phrase that the character table alone would convert otherwise, with the
// form it converts to, both equally long; or, with no target, one whose
// characters the table converts, kept so that phrases match only where
// OpenCC's whole list would let them.
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

// Whether both phrase lists hold what the conversion's search relies on:
// sorted group-wise, at least two characters each, no surrogates, and every
// converted character in its source's group.
bool PhrasesAreWellFormed();

}  // namespace vellumino::chinese
