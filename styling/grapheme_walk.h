// For the commands that take a whole text cluster by cluster. The functions
// of grapheme.h look back from the position they are given, which on a long
// run of flags (how they pair depends on every flag before) costs a pass per
// call; a walk carries that knowledge along and takes any text in one pass.
#pragma once

#include <cstddef>
#include <cstdint>

#include "grapheme.h"
#include "signature_text.h"

namespace vellumino {

namespace grapheme_detail {

// What the boundary rules need to know of the text behind a position.
struct Context {
    std::uint8_t previous;  // the property of the code point before
    bool pictographic;      // the text ends in a pictograph and its marks
    bool joined;            // ... and then a zero width joiner
    bool oddFlags;          // the text ends in an odd number of regional indicators
};

}  // namespace grapheme_detail

// The clusters of a text from its start to its end.
class ClusterWalk {
public:
    explicit ClusterWalk(SignatureView text);

    bool Done() const { return pos_ >= text_.size(); }

    // The cluster at the current position, which moves past it. Not when Done().
    SignatureView Next();

    // Whether a U+0020 put just before or just after the cluster Next()
    // returned last would be a cluster of its own and leave that one as it is.
    // Not before a mark that starts a cluster (after a line break, say), nor
    // after a sign that prepends itself to what follows (U+0600), both of
    // which it would join.
    bool SpaceMayPrecede() const { return spaceMayPrecede_; }
    bool SpaceMayFollow() const { return spaceMayFollow_; }

private:
    SignatureView text_;
    std::size_t pos_ = 0;
    std::size_t nextLength_ = 0;  // of the code point at pos_, once read
    std::uint8_t nextProperty_ = 0;
    bool spaceMayPrecede_ = true;
    bool spaceMayFollow_ = true;
    grapheme_detail::Context context_;
};

}  // namespace vellumino
