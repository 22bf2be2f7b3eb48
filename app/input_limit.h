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

}  // namespace vellumino
