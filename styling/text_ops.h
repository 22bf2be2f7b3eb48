// String helpers shared by the styling commands.
#pragma once

#include "signature_text.h"

namespace vellumino {

// Scans left to right, replacing each non-overlapping match and never
// rescanning what it emitted: "xx" -> "x" in "xxx" gives "xx".
// An empty search string matches nothing.
SignatureText ReplaceAll(SignatureView text, SignatureView search, SignatureView replacement);

// Strips leading and trailing U+0020 only; tabs and other white space stay.
SignatureView Trim(SignatureView text);

// Number of code units of the character starting at `pos`: 2 for a well-formed
// surrogate pair, 1 for anything else (a lone surrogate counts on its own).
inline std::size_t CharacterLength(SignatureView text, std::size_t pos)
{
    return CodePointAt(text, pos).length;
}

}  // namespace vellumino
