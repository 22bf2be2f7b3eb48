// What the window shows before anyone touches it, and the colours the
// picture was painted for. Every front-end starts from these.
#pragma once

#include <cstdint>

#include "signature_text.h"

namespace vellumino::skin {

// In the field at start; the previews stay empty until the first change.
inline constexpr SignatureView kInitialSignature = u"个性签名";

struct Colour {
    std::uint8_t red;
    std::uint8_t green;
    std::uint8_t blue;
};

// The skin's own colours, the same whatever the desktop's palette: the
// captions are printed on the light picture and the field sits in its
// painted white frame. Only a high-contrast mode replaces them.
inline constexpr Colour kFieldBackground{255, 255, 255};
inline constexpr Colour kFieldText{0, 0, 0};
inline constexpr Colour kChatCaption{0, 0, 0};     // Label1, over the chat-window header
inline constexpr Colour kCardCaption{128, 128, 128};  // Label2, over the hover card

}  // namespace vellumino::skin
