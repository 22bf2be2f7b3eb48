#include "styling.h"

#include "traditional.h"

namespace vellumino {

SignatureText ToTraditional(SignatureView text)
{
    return platform::MapToTraditional(text);
}

}  // namespace vellumino
