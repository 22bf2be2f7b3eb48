#include "grapheme.h"

#include "text_ops.h"

namespace vellumino {

// Surrogate pairs only, until the cluster table lands.
std::size_t NextClusterBoundary(SignatureView text, std::size_t pos)
{
    if (pos >= text.size())
        return text.size();
    return pos + CharacterLength(text, pos);
}

std::size_t PreviousClusterBoundary(SignatureView text, std::size_t pos)
{
    std::size_t last = 0;
    for (std::size_t at = 0; at < pos && at < text.size(); at = NextClusterBoundary(text, at))
        last = at;
    return pos > text.size() ? text.size() : last;
}

bool IsClusterBoundary(SignatureView text, std::size_t pos)
{
    if (pos == 0 || pos >= text.size())
        return pos <= text.size();
    return NextClusterBoundary(text, PreviousClusterBoundary(text, pos)) == pos;
}

}  // namespace vellumino
