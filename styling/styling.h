// The text commands behind the picture buttons. Each takes the whole
// signature and returns the whole new one; none keeps state between calls.
#pragma once

#include "signature_text.h"

namespace vellumino {

// One space between every two characters, runs of spaces folded to one,
// none at either end. A character is a cluster as grapheme.h has it: an
// emoji with its modifiers, a flag or a letter with its accents is never
// split. A space that carries a mark is a character, kept whole.
SignatureText AddSpaces(SignatureView text);

// Frames the text in the two ornaments and folds a doubled ornament once.
SignatureText AddSymbols(SignatureView text);

// Swaps every character that has a Martian lookalike; length is preserved.
SignatureText ToMartian(SignatureView text);

// Puts back the character behind every Martian lookalike; length is
// preserved. A lookalike that several characters share goes back to the one
// it is the simplified or standard form of (財 to 财), otherwise to the first
// of them in MartianMap (哋 to 的, not 地); the others do not come back.
SignatureText FromMartian(SignatureView text);

// Simplified to traditional Chinese in Taiwan's forms (為, 裡, 著), by the
// phrases that need context (复制 to 複製, not 復制), else character by
// character, the text cut into words by the cheapest reading over a word
// list with counts (进行 | 复制). Spaces between characters are read through (复 制
// to 複 製) and stay where they are, so spacing before or after gives the
// same. Length is preserved, anything outside code page 936 passes through
// untouched, and converting the result again changes nothing.
SignatureText ToTraditional(SignatureView text);

// Traditional to simplified Chinese, under the same terms as ToTraditional.
SignatureText ToSimplified(SignatureView text);

}  // namespace vellumino
