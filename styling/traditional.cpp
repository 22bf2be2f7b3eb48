#include "styling.h"

#include "traditional.h"

namespace vellumino {

SignatureText ToTraditional(SignatureView text)
{
    return platform::MapToTraditional(text);
}

SignatureText ToSimplified(SignatureView text)
{
    return platform::MapToSimplified(text);
}

}  // namespace vellumino
