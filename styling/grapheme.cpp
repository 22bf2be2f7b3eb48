#include "grapheme.h"

#include <algorithm>
#include <cstdint>
#include <iterator>

#include "grapheme_walk.h"

namespace vellumino {
namespace {

using grapheme_detail::Context;

// Grapheme_Cluster_Break, with Extended_Pictographic as one more value (no
// code point has both). HangulSyllable only stands in the table, for LV and
// LVT, which alternate too often to be stored as ranges.
enum Property : std::uint8_t {
    Other,
    CR,
    LF,
    Control,
    Extend,
    ZWJ,
    RegionalIndicator,
    Prepend,
    SpacingMark,
    L,
    V,
    T,
    LV,
    LVT,
    ExtendedPictographic,
    HangulSyllable,
};

constexpr std::uint32_t Range(std::uint32_t first, Property property)
{
    return first << 4 | property;
}

#include "unicode/grapheme_table.inc"

static_assert(std::size(kBlockRanges) == 0x20000 / 256 + 1);

Property PropertyOf(char32_t codePoint)
{
    // Most of a signature is ASCII or CJK; ASCII needs no table.
    if (codePoint < 0x7F)
        return codePoint >= 0x20 ? Other : codePoint == u'\r' ? CR : codePoint == u'\n' ? LF : Control;

    const std::uint32_t* first;
    const std::uint32_t* last;
    if (codePoint < 0x20000) {
        const std::size_t block = codePoint >> 8;
        first = kPropertyRanges + kBlockRanges[block];
        last = kPropertyRanges + kBlockRanges[block + 1] + 1;
    } else {
        first = kPropertyRanges + kBlockRanges[std::size(kBlockRanges) - 1];
        last = std::end(kPropertyRanges);
    }
    // The last range that starts at or before the code point; the first one
    // searched always does.
    const std::uint32_t range = *(std::upper_bound(first, last, std::uint32_t(codePoint) << 4 | 0xF) - 1);
    const auto property = static_cast<Property>(range & 0xF);
    if (property == HangulSyllable)
        return (codePoint - 0xAC00) % 28 == 0 ? LV : LVT;
    return property;
}

struct CodePoint {
    Property property;
    std::size_t length;
};

// The code point that starts at `pos` (< text.size()). A lone surrogate
// stands for nothing printable and joins nothing: a control, a cluster alone.
CodePoint Read(SignatureView text, std::size_t pos)
{
    const char16_t unit = text[pos];
    if (IsHighSurrogate(unit)) {
        if (pos + 1 < text.size() && IsLowSurrogate(text[pos + 1]))
            return {PropertyOf(0x10000 + ((char32_t(unit) - 0xD800) << 10) + (char32_t(text[pos + 1]) - 0xDC00)), 2};
        return {Control, 1};
    }
    if (IsLowSurrogate(unit))
        return {Control, 1};
    return {PropertyOf(unit), 1};
}

// Where the code point that ends at `pos` (> 0) starts.
std::size_t StartBefore(SignatureView text, std::size_t pos)
{
    return (pos >= 2 && IsLowSurrogate(text[pos - 1]) && IsHighSurrogate(text[pos - 2])) ? pos - 2 : pos - 1;
}

bool InsidePair(SignatureView text, std::size_t pos)
{
    return pos > 0 && pos < text.size() && IsLowSurrogate(text[pos]) && IsHighSurrogate(text[pos - 1]);
}

bool IsControl(Property property)
{
    return property == Control || property == CR || property == LF;
}

// The start of the text acts as a control does: nothing joins it.
constexpr Context kStart{Control, false, false, false};

// Whether a cluster boundary lies between the text described by `before` and
// a code point with the property `next`.
bool Breaks(const Context& before, Property next)
{
    const auto previous = static_cast<Property>(before.previous);
    if (previous == CR && next == LF)
        return false;
    if (IsControl(previous) || IsControl(next))
        return true;
    // Hangul jamo and syllables build one syllable block.
    if (previous == L && (next == L || next == V || next == LV || next == LVT))
        return false;
    if ((previous == LV || previous == V) && (next == V || next == T))
        return false;
    if ((previous == LVT || previous == T) && next == T)
        return false;
    if (next == Extend || next == ZWJ || next == SpacingMark || previous == Prepend)
        return false;
    // A family, a profession, a rainbow flag: pictographs joined by ZWJ.
    if (before.joined && next == ExtendedPictographic)
        return false;
    // Flags are pairs of regional indicators, counted from the start of the run.
    if (previous == RegionalIndicator && next == RegionalIndicator)
        return !before.oddFlags;
    return true;
}

void Advance(Context& context, Property next)
{
    context.joined = context.pictographic && next == ZWJ;
    context.pictographic = next == ExtendedPictographic || (context.pictographic && next == Extend);
    context.oddFlags = next == RegionalIndicator && !(context.previous == RegionalIndicator && context.oddFlags);
    context.previous = next;
}

// Whether the text before `pos` ends in a pictograph followed by nothing but marks.
bool PictographicBefore(SignatureView text, std::size_t pos)
{
    while (pos > 0) {
        pos = StartBefore(text, pos);
        const Property property = Read(text, pos).property;
        if (property != Extend)
            return property == ExtendedPictographic;
    }
    return false;
}

// How many regional indicators end the text before `pos`.
std::size_t FlagsBefore(SignatureView text, std::size_t pos)
{
    std::size_t count = 0;
    while (pos > 0) {
        pos = StartBefore(text, pos);
        if (Read(text, pos).property != RegionalIndicator)
            break;
        ++count;
    }
    return count;
}

// The context at `pos`, a code point's start, worked out by looking back;
// `next` is the property of the code point at `pos`, and only what the rules
// need for it is looked up, so that a walk backwards over a long run of marks
// does not look back over the run at every step.
Context ContextBefore(SignatureView text, std::size_t pos, Property next)
{
    if (pos == 0)
        return kStart;
    const std::size_t start = StartBefore(text, pos);
    Context context{Read(text, start).property, false, false, false};
    if (context.previous == ZWJ && next == ExtendedPictographic)
        context.joined = PictographicBefore(text, start);
    if (context.previous == RegionalIndicator && next == RegionalIndicator)
        context.oddFlags = FlagsBefore(text, pos) % 2 == 1;
    return context;
}

// The whole context at `pos`, as a walk from the start would have it.
Context FullContextBefore(SignatureView text, std::size_t pos)
{
    if (pos == 0)
        return kStart;
    const std::size_t start = StartBefore(text, pos);
    const Property previous = Read(text, start).property;
    Context context{previous, false, false, false};
    if (previous == ExtendedPictographic || previous == Extend)
        context.pictographic = PictographicBefore(text, pos);
    else if (previous == ZWJ)
        context.joined = PictographicBefore(text, start);
    else if (previous == RegionalIndicator)
        context.oddFlags = FlagsBefore(text, pos) % 2 == 1;
    return context;
}

}  // namespace

std::size_t NextClusterBoundary(SignatureView text, std::size_t pos)
{
    if (pos >= text.size())
        return text.size();
    std::size_t at = InsidePair(text, pos) ? pos - 1 : pos;
    Context context = FullContextBefore(text, at);
    CodePoint current = Read(text, at);
    for (;;) {
        Advance(context, current.property);
        at += current.length;
        if (at >= text.size())
            return text.size();
        current = Read(text, at);
        if (Breaks(context, current.property))
            return at;
    }
}

std::size_t PreviousClusterBoundary(SignatureView text, std::size_t pos)
{
    if (pos > text.size())
        return text.size();
    if (pos == 0)
        return 0;
    // The start of the code point that holds the unit before `pos`.
    std::size_t at = InsidePair(text, pos) ? pos - 1 : StartBefore(text, pos);
    while (at > 0) {
        const Property next = Read(text, at).property;
        const std::size_t before = StartBefore(text, at);
        if (next == RegionalIndicator && Read(text, before).property == RegionalIndicator) {
            // Counted once for the whole run: boundaries alternate within it.
            const std::size_t flags = FlagsBefore(text, at);
            if (flags % 2 == 0)
                return at;
            if (flags > 1)
                return before;
            at = before;  // the run's first flag; what lies before decides
            continue;
        }
        if (Breaks(ContextBefore(text, at, next), next))
            return at;
        at = before;
    }
    return 0;
}

bool IsClusterBoundary(SignatureView text, std::size_t pos)
{
    if (pos == 0 || pos >= text.size())
        return pos <= text.size();
    if (InsidePair(text, pos))
        return false;
    const Property next = Read(text, pos).property;
    return Breaks(ContextBefore(text, pos, next), next);
}

ClusterWalk::ClusterWalk(SignatureView text) : text_(text), context_(kStart) {}

SignatureView ClusterWalk::Next()
{
    const std::size_t start = pos_;
    CodePoint current = Read(text_, pos_);
    for (;;) {
        Advance(context_, current.property);
        pos_ += current.length;
        if (pos_ >= text_.size())
            break;
        current = Read(text_, pos_);
        if (Breaks(context_, current.property))
            break;
    }
    return text_.substr(start, pos_ - start);
}

bool SpaceStandsAlone(SignatureView before, SignatureView after)
{
    if (before.empty() || after.empty())
        return true;
    const Property last = Read(before, StartBefore(before, before.size())).property;
    const Property first = Read(after, 0).property;
    // A space is Other, which no rule that looks further back involves.
    return Breaks({last, false, false, false}, Other) && Breaks({Other, false, false, false}, first);
}

}  // namespace vellumino
