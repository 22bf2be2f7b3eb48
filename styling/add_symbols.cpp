#include "styling.h"
#include "text_ops.h"

namespace vellumino {

namespace {

constexpr SignatureView kOpening = u"↗℡";
constexpr SignatureView kClosing = u"╰☆";
constexpr SignatureView kDoubleOpening = u"↗℡↗℡";
constexpr SignatureView kDoubleClosing = u"╰☆╰☆";

}  // namespace

SignatureText AddSymbols(SignatureView text)
{
    SignatureText framed;
    framed.reserve(kOpening.size() + text.size() + kClosing.size());
    framed.append(kOpening).append(text).append(kClosing);
    // Each fold runs once, so a framed signature stays as it is on a second
    // click, while a run of three ornaments only loses one per click.
    return ReplaceAll(ReplaceAll(framed, kDoubleOpening, kOpening), kDoubleClosing, kClosing);
}

}  // namespace vellumino
