#include "grapheme.h"

#include <algorithm>
#include <array>
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

// The property a range gives a code point in it.
Property ValueOf(std::uint32_t range, char32_t codePoint)
{
    const auto property = static_cast<Property>(range & 0xF);
    if (property == HangulSyllable)
        return (codePoint - 0xAC00) % 28 == 0 ? LV : LVT;
    return property;
}

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
        // Whole blocks of ideographs, syllables or pictographs are one range.
        if (last - first == 1)
            return ValueOf(*first, codePoint);
    } else {
        first = kPropertyRanges + kBlockRanges[std::size(kBlockRanges) - 1];
        last = std::end(kPropertyRanges);
    }
    // The last range that starts at or before the code point; the first one
    // searched always does.
    return ValueOf(*(std::upper_bound(first, last, std::uint32_t(codePoint) << 4 | 0xF) - 1), codePoint);
}

struct PropertyAt {
    Property property;
    std::size_t length;
};

// The code point that starts at `pos` (< text.size()). A lone surrogate
// stands for nothing printable and joins nothing: a control, a cluster alone.
PropertyAt Read(SignatureView text, std::size_t pos)
{
    const auto [value, length] = CodePointAt(text, pos);
    if (value >= 0xD800 && value <= 0xDFFF)
        return {Control, 1};
    return {PropertyOf(value), length};
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

constexpr bool IsControl(Property property)
{
    return property == Control || property == CR || property == LF;
}

// The start of the text acts as a control does: nothing joins it.
constexpr Context kStart{Control, false, false, false};

// What the rules say of two neighbouring code points: a boundary, none, or
// that it depends on the text before them.
enum class Pair : std::uint8_t { Break, Keep, KeepIfJoined, KeepIfOddFlags };

constexpr Pair PairRule(Property previous, Property next)
{
    if (previous == CR && next == LF)
        return Pair::Keep;
    if (IsControl(previous) || IsControl(next))
        return Pair::Break;
    // Hangul jamo and syllables build one syllable block.
    if (previous == L && (next == L || next == V || next == LV || next == LVT))
        return Pair::Keep;
    if ((previous == LV || previous == V) && (next == V || next == T))
        return Pair::Keep;
    if ((previous == LVT || previous == T) && next == T)
        return Pair::Keep;
    if (next == Extend || next == ZWJ || next == SpacingMark || previous == Prepend)
        return Pair::Keep;
    // A family, a profession, a rainbow flag: pictographs joined by ZWJ.
    if (previous == ZWJ && next == ExtendedPictographic)
        return Pair::KeepIfJoined;
    // Flags are pairs of regional indicators, counted from the start of the run.
    if (previous == RegionalIndicator && next == RegionalIndicator)
        return Pair::KeepIfOddFlags;
    return Pair::Break;
}

// The rules above for every two properties, looked up rather than worked
// through for each code point.
constexpr auto kPairs = [] {
    std::array<std::array<Pair, 16>, 16> pairs{};
    for (int previous = 0; previous < 16; ++previous)
        for (int next = 0; next < 16; ++next)
            pairs[previous][next] = PairRule(static_cast<Property>(previous), static_cast<Property>(next));
    return pairs;
}();

// Whether a cluster boundary lies between the text described by `before` and
// a code point with the property `next`.
bool Breaks(const Context& before, Property next)
{
    switch (kPairs[before.previous][next]) {
        case Pair::Break:
            return true;
        case Pair::Keep:
            return false;
        case Pair::KeepIfJoined:
            return !before.joined;
        case Pair::KeepIfOddFlags:
            return !before.oddFlags;
    }
    return true;
}

void Advance(Context& context, Property next)
{
    context.joined = context.pictographic && next == ZWJ;
    context.pictographic = next == ExtendedPictographic || (context.pictographic && next == Extend);
    context.oddFlags =
        next == RegionalIndicator && !(context.previous == RegionalIndicator && context.oddFlags);
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
    PropertyAt current = Read(text, at);
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

ClusterWalk::ClusterWalk(SignatureView text) : text_(text), context_(kStart)
{
    if (!text_.empty()) {
        const PropertyAt first = Read(text_, 0);
        nextProperty_ = first.property;
        nextLength_ = first.length;
    }
}

SignatureView ClusterWalk::Next()
{
    const std::size_t start = pos_;
    // A space is Other, which no rule that looks further back involves.
    spaceMayPrecede_ = Breaks({Other, false, false, false}, static_cast<Property>(nextProperty_));
    for (;;) {
        const auto property = static_cast<Property>(nextProperty_);
        Advance(context_, property);
        pos_ += nextLength_;
        if (pos_ >= text_.size())
            break;
        const PropertyAt next = Read(text_, pos_);
        nextProperty_ = next.property;
        nextLength_ = next.length;
        if (Breaks(context_, next.property))
            break;
    }
    spaceMayFollow_ = Breaks({context_.previous, false, false, false}, Other);
    return text_.substr(start, pos_ - start);
}

}  // namespace vellumino
