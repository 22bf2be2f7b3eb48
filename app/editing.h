// How the one-line field is edited, the same in every front-end: what the
// user may put in (the input limit), and what the deleting keys take. Text
// the program writes is not held to the limit, so a command's result is
// never cut. Every rule works on whole characters as a person sees them.
#pragma once

#include <cstddef>

#include "signature_text.h"

namespace vellumino {

// Counted in UTF-16 code units.
inline constexpr std::ptrdiff_t kInputLimit = 40;

// Code units the user may still add to a field of `length` units when
// `selected` of them are about to be replaced.
constexpr std::ptrdiff_t RoomFor(std::size_t length, std::size_t selected)
{
    return kInputLimit - (static_cast<std::ptrdiff_t>(length) - static_cast<std::ptrdiff_t>(selected));
}

// Enter, Esc, Tab, Ctrl+letter, Ctrl+Backspace's U+007F and the C1 range:
// a one-line field inserts none of them, so they never count either.
constexpr bool IsControlCharacter(char16_t unit)
{
    return unit < 0x20 || (unit >= 0x7F && unit <= 0x9F);
}

// What the field admits of incoming text, however it comes (a paste, a drop,
// the primary selection, an input method): line breaks become spaces, since
// the field holds one line, and every other control character (Tab, Esc,
// DEL, U+0085 …) stays out, as it does when typed. Format characters,
// private-use characters and lone surrogates are text and go in.
SignatureText Admitted(SignatureView incoming);

// Turns incoming text (a paste, a drop) into what fits in `room` code units
// of a one-line field: what the field admits, and of that only whole
// characters; what does not fit whole stays out.
SignatureText FitToRoom(SignatureView incoming, std::ptrdiff_t room);

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

// A stretch of the field, in code units: [start, end).
struct TextRange {
    std::size_t start = 0;
    std::size_t end = 0;
    friend bool operator==(const TextRange&, const TextRange&) = default;
};

// A caret or a selection widened to whole characters, the one place every
// insert and every removal starts from: a caret inside a character moves to
// its end, a selection's ends move out to the characters they stand in. A
// Win32 EDIT lets the mouse (and Wine's arrow keys) stop between the two
// halves of an emoji; text put there, or a removal from there, would leave
// two lone surrogates.
TextRange WholeCharacters(SignatureView text, TextRange selection);

// The keys that remove text. Cut is Shift+Delete (Ctrl+X and the menus'
// entries act on a selection only, as the toolkits have them).
enum class RemovingKey { Backspace, Delete, WordBefore, Cut };

struct Removal {
    TextRange taken;           // empty: the key does nothing
    bool toClipboard = false;  // what is taken goes on the clipboard
};

// What a removing key does in `text` with `selection` (a caret when empty):
// with a selection, every key takes it, widened to whole characters, and
// only Cut puts it on the clipboard; without one, Backspace, Delete and
// Ctrl+Backspace take what the functions below say, and Cut does nothing, so
// that what the user copied last stays on the clipboard.
Removal RemovalFor(SignatureView text, TextRange selection, RemovingKey key);

// What a deleting key takes when nothing is selected. A caret that stands
// inside a character (a Win32 EDIT lets the mouse put it between the two
// halves of an emoji) takes that whole character with it. Empty at either
// end of the text.
TextRange CharacterBefore(SignatureView text, std::size_t caret);  // Backspace
TextRange CharacterAfter(SignatureView text, std::size_t caret);   // Delete
// Ctrl+Backspace: the spaces before the caret, then a run of letters and
// digits, a run of other symbols, or one ideograph (Chinese has no spaces to
// tell its words apart).
TextRange WordBefore(SignatureView text, std::size_t caret);

}  // namespace vellumino
