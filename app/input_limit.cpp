#include "input_limit.h"

namespace vellumino {

namespace {

bool IsLineBreak(char16_t unit)
{
    return unit == u'\n' || unit == u'\r' || unit == u'\u2028' || unit == u'\u2029';
}

}  // namespace

SignatureText FitToRoom(SignatureView incoming, std::ptrdiff_t room)
{
    SignatureText fitted;
    fitted.reserve(incoming.size());
    for (std::size_t i = 0; i < incoming.size(); ++i) {
        const char16_t unit = incoming[i];
        if (unit == u'\r' && i + 1 < incoming.size() && incoming[i + 1] == u'\n')
            continue;  // CR LF is one break, one space
        fitted.push_back(IsLineBreak(unit) ? u' ' : unit);
    }
    const std::size_t limit = room > 0 ? static_cast<std::size_t>(room) : 0;
    if (fitted.size() <= limit)
        return fitted;
    std::size_t cut = limit;
    if (cut > 0 && IsHighSurrogate(fitted[cut - 1]) && IsLowSurrogate(fitted[cut]))
        --cut;
    fitted.resize(cut);
    return fitted;
}

SignatureText TypedInsertion(SignatureView typed, std::ptrdiff_t room)
{
    SignatureText kept;
    kept.reserve(typed.size());
    for (const char16_t unit : typed) {
        if (!IsControlCharacter(unit))
            kept.push_back(unit);
    }
    return FitToRoom(kept, room);
}

}  // namespace vellumino
