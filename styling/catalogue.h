// The styles beyond the four buttons, as data: marks between the characters,
// frames around the text, and lookalike forms of the Latin letters and digits
// that signatures mix in. Each is a pure function of the whole signature, as
// the buttons' commands are, and each can be taken off again (RemoveStyles).
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

#include "signature_text.h"

namespace vellumino {

enum class StyleFamily : std::uint8_t {
    Separator,  // beside 加空格: a mark between every two characters
    Frame,      // beside 加符号: an opening and a closing around the text
    Letters,    // beside 转火星: other forms of A–Z, a–z and 0–9
};

// The Windows fonts that carry every code point a style writes, from
// Microsoft's published character lists for Windows 7 and later: where none
// does, a Windows reader of the signature sees boxes.
enum WindowsFont : std::uint8_t {
    kMicrosoftYaHei = 1 << 0,
    kSimSun = 1 << 1,
    kSegoeUISymbol = 1 << 2,
};

struct Style {
    StyleFamily family;
    std::u16string_view label;  // the menu entry, which is also its accessible name
    // Separator: the mark put between two characters. Frame: the opening.
    std::u16string_view opening;
    // Frame: the closing.
    std::u16string_view closing;
    // Letters: the forms of A–Z, a–z and 0–9, one code point each, in that
    // order (62 in all); a letter given as itself keeps its form.
    std::u32string_view forms;
    // Letters: a combining mark put after each letter and digit instead.
    char32_t mark;
    std::uint8_t windowsFonts;  // WindowsFont bits
};

// Every style, grouped by family in the order the menus list them.
std::span<const Style> StyleCatalogue();

// The style applied to the whole signature. Applying it to its own result
// changes nothing, so a second click is harmless. What it gives is not held
// to the input limit: like the buttons' results, it is never cut.
SignatureText ApplyStyle(const Style& style, SignatureView text);

// Takes the catalogue's styles off: for any text that holds none of a style's
// own marks, RemoveStyles(ApplyStyle(style, text)) == text. Text no style
// made comes back unchanged.
SignatureText RemoveStyles(SignatureView text);

}  // namespace vellumino
