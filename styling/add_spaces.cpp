#include "grapheme_walk.h"
#include "styling.h"

namespace vellumino {

// The text is taken cluster by cluster. A cluster that is a bare U+0020 is
// spacing, which the command replaces with its own; every other cluster is a
// character and is written whole, one space after the one before.
//
// Spaces can also stand inside a cluster: a space carrying a mark (U+0020
// U+0301 is how a lone accent is written) or one after a prepended sign
// (U+0600 U+0020). Such a cluster is a character like any other: its space
// is neither folded into the spacing nor trimmed at either end, as that
// would strip the mark of its base, or hand the sign the next character.
// It gets a space either side like any other character, even though two
// U+0020 then stand side by side.
//
// Where a space would join a neighbour instead of standing between the two
// (before a mark that starts a cluster after a tab or a line break, after a
// prepended sign before a line break), none is put: a space inside a
// cluster would change the character, and the next run would see another
// text. So the output's clusters are the input's, less its bare spaces,
// with bare spaces between them, and a second run finds the same clusters
// and writes the same text.
SignatureText AddSpaces(SignatureView text)
{
    SignatureText spread;
    spread.reserve(text.size() * 2);
    bool spaceMayFollow = false;  // nothing written yet
    for (ClusterWalk walk(text); !walk.Done();) {
        const SignatureView cluster = walk.Next();
        if (cluster == u" ")
            continue;
        if (spaceMayFollow && walk.SpaceMayPrecede())
            spread.push_back(u' ');
        spread.append(cluster);
        spaceMayFollow = walk.SpaceMayFollow();
    }
    return spread;
}

}  // namespace vellumino
