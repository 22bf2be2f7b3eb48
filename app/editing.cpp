#include "editing.h"

#include <algorithm>

#include "grapheme.h"

namespace vellumino {

namespace {

bool IsLineBreak(char16_t unit)
{
    return unit == u'\n' || unit == u'\r' || unit == u'\u2028' || unit == u'\u2029';
}

// The last cluster boundary at or before `at`.
std::size_t BoundaryAtOrBefore(SignatureView text, std::size_t at)
{
    return IsClusterBoundary(text, at) ? at : PreviousClusterBoundary(text, at);
}

// The first cluster boundary at or after `at`.
std::size_t BoundaryAtOrAfter(SignatureView text, std::size_t at)
{
    return IsClusterBoundary(text, at) ? at : NextClusterBoundary(text, at);
}

enum class WordKind { Space, Ideograph, Word, Other };

// Without a toolkit's character database: letters and digits of the scripts
// people write signatures in count as word characters, and everything in
// the punctuation, symbol and emoji blocks as other.
WordKind KindOf(char32_t c)
{
    if (c == U' ' || c == U'\t' || c == U'\u3000')
        return WordKind::Space;
    if ((c >= 0x3400 && c <= 0x4DBF) || (c >= 0x4E00 && c <= 0x9FFF) || (c >= 0xF900 && c <= 0xFAFF) ||
        (c >= 0x20000 && c <= 0x3FFFF))
        return WordKind::Ideograph;
    if (c < 0x80)
        return (c >= U'0' && c <= U'9') || (c >= U'A' && c <= U'Z') || (c >= U'a' && c <= U'z') || c == U'_'
                   ? WordKind::Word
                   : WordKind::Other;
    const bool symbol = (c < 0xC0 && c != 0xAA && c != 0xB5 && c != 0xBA) || c == 0xD7 || c == 0xF7 ||
                        (c >= 0x2000 && c <= 0x2BFF) || (c >= 0x3000 && c <= 0x303F) ||
                        (c >= 0xE000 && c <= 0xF8FF) || (c >= 0xFE10 && c <= 0xFE6F) ||
                        (c >= 0xFF00 && c <= 0xFF0F) || (c >= 0xFF1A && c <= 0xFF20) ||
                        (c >= 0xFF3B && c <= 0xFF40) || (c >= 0xFF5B && c <= 0xFF65) ||
                        (c >= 0x1F000 && c <= 0x1FAFF) || (c >= 0xD800 && c <= 0xDFFF);
    return symbol ? WordKind::Other : WordKind::Word;
}

}  // namespace

SignatureText Admitted(SignatureView incoming)
{
    SignatureText admitted;
    admitted.reserve(incoming.size());
    for (std::size_t i = 0; i < incoming.size(); ++i) {
        const char16_t unit = incoming[i];
        if (unit == u'\r' && i + 1 < incoming.size() && incoming[i + 1] == u'\n')
            continue;  // CR LF is one break, one space
        if (IsLineBreak(unit))
            admitted.push_back(u' ');
        else if (!IsControlCharacter(unit))
            admitted.push_back(unit);
    }
    return admitted;
}

SignatureText FitToRoom(SignatureView incoming, std::ptrdiff_t room)
{
    SignatureText fitted = Admitted(incoming);
    const std::size_t limit = room > 0 ? static_cast<std::size_t>(room) : 0;
    if (fitted.size() > limit)
        fitted.resize(BoundaryAtOrBefore(fitted, limit));
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

TextRange WholeCharacters(SignatureView text, TextRange selection)
{
    const std::size_t start = std::min({selection.start, selection.end, text.size()});
    const std::size_t end = std::min(std::max(selection.start, selection.end), text.size());
    if (start == end) {
        const std::size_t caret = BoundaryAtOrAfter(text, start);
        return {caret, caret};
    }
    return {BoundaryAtOrBefore(text, start), BoundaryAtOrAfter(text, end)};
}

Removal RemovalFor(SignatureView text, TextRange selection, RemovingKey key)
{
    const TextRange whole = WholeCharacters(text, selection);
    if (whole.end > whole.start)
        return {whole, key == RemovingKey::Cut};
    switch (key) {
        case RemovingKey::Backspace:
            return {CharacterBefore(text, selection.start)};
        case RemovingKey::Delete:
            return {CharacterAfter(text, selection.start)};
        case RemovingKey::WordBefore:
            return {WordBefore(text, selection.start)};
        case RemovingKey::Cut:
            break;
    }
    return {};
}

TextRange CharacterBefore(SignatureView text, std::size_t caret)
{
    caret = std::min(caret, text.size());
    if (caret == 0)
        return {};
    return {PreviousClusterBoundary(text, caret), BoundaryAtOrAfter(text, caret)};
}

TextRange CharacterAfter(SignatureView text, std::size_t caret)
{
    caret = std::min(caret, text.size());
    if (caret == text.size())
        return {caret, caret};
    return {BoundaryAtOrBefore(text, caret), NextClusterBoundary(text, caret)};
}

TextRange WordBefore(SignatureView text, std::size_t caret)
{
    caret = std::min(caret, text.size());
    const std::size_t end = BoundaryAtOrAfter(text, caret);
    // A caret inside a character counts from that character's end.
    std::size_t at = end;
    const auto kindBefore = [&](std::size_t pos) {
        return KindOf(CodePointAt(text, PreviousClusterBoundary(text, pos)).value);
    };
    while (at > 0 && kindBefore(at) == WordKind::Space)
        at = PreviousClusterBoundary(text, at);
    if (at > 0) {
        const WordKind kind = kindBefore(at);
        do {
            at = PreviousClusterBoundary(text, at);
        } while (kind != WordKind::Ideograph && at > 0 && kindBefore(at) == kind);
    }
    return {at, end};
}

}  // namespace vellumino
