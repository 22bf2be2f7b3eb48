// UTF-8 at the edges where text leaves or enters as bytes (the pages the
// build writes, the lists they are made from). Strict both ways.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "signature_text.h"

namespace vellumino {

// No overlong forms, no surrogates, nothing past U+10FFFF; nullopt otherwise.
std::optional<SignatureText> FromUtf8(std::string_view bytes);

// A lone surrogate has no UTF-8 form: nullopt. The commands never make one
// from text that had none, so a caller meeting one has found a fault.
std::optional<std::string> ToUtf8(SignatureView text);

}  // namespace vellumino
