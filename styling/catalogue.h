// The styles beyond the four buttons, as data: marks between the characters,
// frames around the text, and lookalike forms of the Latin letters and digits
// that signatures mix in. Each is a pure function of the whole signature, as
// the buttons' commands are, and each can be taken off again (RemoveStyles).
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "signature_text.h"

namespace vellumino {

enum class StyleFamily : std::uint8_t {
    Separator,  // beside 加空格: a mark between every two characters
    Frame,      // beside 加符号: an opening and a closing around the text
    Letters,    // beside 转火星: other forms of A–Z, a–z and 0–9
};

// The Windows fonts (Windows 7 and later) known to carry every code point a
// style writes; where none is, a Windows reader may see boxes. SimSun and
// Microsoft YaHei are the fonts of code page 936, so a style that writes only
// characters of that code page has both. Segoe UI Symbol's character list for
// Windows 7 (and its later update) could not be confirmed here, so no style
// claims it; its bit waits for that list.
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
// changes nothing, so a second click is harmless; a separator or a letter
// style replaces another of its family rather than stacking on it. What it
// gives is not held to the input limit: like the buttons' results, it is
// never cut.
SignatureText ApplyStyle(const Style& style, SignatureView text);

// Takes every catalogue style off, and 加符号's frame: the outermost first,
// so that styles stacked in any order come off. For a text that holds none of
// the code points any style writes (StyleCodePoints), RemoveStyles(
// ApplyStyle(style, text)) == text, and such a text comes back as it is. A
// text that already held a style's marks may lose them: "I♥U" reads as ♥
// put between I and U.
SignatureText RemoveStyles(SignatureView text);

// Every code point the style can add to a text: its mark, its frame, its
// letter forms (not those that are the letter itself), each once.
std::u32string StyleCodePoints(const Style& style);

}  // namespace vellumino
