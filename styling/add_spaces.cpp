#include "styling.h"
#include "text_ops.h"

namespace vellumino {

SignatureText AddSpaces(SignatureView text)
{
    SignatureText spread;
    spread.reserve(text.size() * 2);
    for (std::size_t pos = 0; pos < text.size();) {
        const auto length = CharacterLength(text, pos);
        spread.append(text.substr(pos, length));
        spread.push_back(u' ');
        pos += length;
    }
    // A run of k spaces now stands as 2k+1; dropping pairs leaves exactly one.
    return ReplaceAll(Trim(spread), u"  ", u"");
}

}  // namespace vellumino
