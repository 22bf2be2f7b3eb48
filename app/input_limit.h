// What the user may put into the one-line field. Every front-end holds its
// typing, pasting and dropping to this; text the program writes is not held,
// so a command's result is never cut.
#pragma once

#include <cstddef>

#include "signature_text.h"

namespace vellumino {

inline constexpr std::ptrdiff_t kInputLimit = 40;

// Turns incoming text into what fits in `room` code units of a one-line
// field: line breaks become spaces, and a cut never splits a surrogate pair.
SignatureText FitToRoom(SignatureView incoming, std::ptrdiff_t room);

// Enter, Esc, Tab, Ctrl+letter, Ctrl+Backspace's U+007F and the C1 range:
// a one-line field inserts none of them, so they never count either.
constexpr bool IsControlCharacter(char16_t unit)
{
    return unit < 0x20 || (unit >= 0x7F && unit <= 0x9F);
}

// The control characters a field acts on itself when they come in as typed
// characters: Backspace, and Ctrl+C, Ctrl+V, Ctrl+X and Ctrl+Z. Every other
// control character is swallowed quietly, without the beep of a refusal.
constexpr bool IsEditingCharacter(char16_t unit)
{
    return unit == 0x08 || unit == 0x03 || unit == 0x16 || unit == 0x18 || unit == 0x1A;
}

// The one rule for typing: what a keystroke's text (or an input method's
// finished text) puts in place of the selection when `room` code units are
// left. Control characters are dropped; everything else counts, format
// characters (ZWJ, LRM …) and private-use characters included, and what does
// not fit is cut at a whole character. Empty means the key inserts nothing.
SignatureText TypedInsertion(SignatureView typed, std::ptrdiff_t room);

}  // namespace vellumino
