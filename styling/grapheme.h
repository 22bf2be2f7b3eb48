// Characters as a person sees them: extended grapheme clusters (Unicode
// UAX #29) over UTF-16. A heart with its emoji presentation selector, a
// thumb with its skin tone, a flag, a family joined by ZWJ and a letter with
// its accents are each one character, so no command and no editing key ever
// splits one. A lone surrogate is a character of its own.
#pragma once

#include <cstddef>

#include "signature_text.h"

namespace vellumino {

// The first cluster boundary after `pos`; text.size() at the end. For
// pos >= text.size(), text.size().
std::size_t NextClusterBoundary(SignatureView text, std::size_t pos);

// The last cluster boundary before `pos`; 0 at the start.
std::size_t PreviousClusterBoundary(SignatureView text, std::size_t pos);

// Whether a cluster ends (and another starts) at `pos`. Both ends of the
// text are boundaries.
bool IsClusterBoundary(SignatureView text, std::size_t pos);

}  // namespace vellumino
