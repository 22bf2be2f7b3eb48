// The properties every character mapping (to and from Martian script, to
// traditional and to simplified Chinese) must keep on any input.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "fuzz_support.h"
#include "styling.h"

namespace vellumino::fuzz {

inline bool IsIdeograph(char16_t unit)
{
    return (unit >= 0x3400 && unit <= 0x9FFF) || (unit >= 0xF900 && unit <= 0xFAFF);
}

// What a mapping may rewrite, and into what. Martian lookalikes include
// circled digits and kana, so going to Martian script may write them and
// coming back may read them.
enum class Sources { IdeographsOnly, AnyBmpCharacter };
enum class Targets { AnyBmpCharacter, IdeographsOnly };

// Whether a character's neighbours may decide its form. Phrases hold only
// characters that GBK writes in two bytes, so ASCII but the space, which
// phrases read through, and surrogates, paired or not, always end one.
enum class Context { None, Phrases };

inline bool EndsEveryPhrase(char16_t unit)
{
    return (unit < 0x80 && unit != u' ') || IsSurrogate(unit);
}

template <typename Mapping>
void CheckMapping(Mapping map, std::u16string_view input, Targets targets,
                  Sources sources = Sources::IdeographsOnly, Context context = Context::None)
{
    const std::u16string once = map(input);
    Check(once.size() == input.size(), "the length is preserved", input, once);

    for (std::size_t i = 0; i < input.size(); ++i) {
        if (once[i] == input[i])
            continue;
        // Surrogates, paired or lone, never change, so a pair stays where it was.
        Check(!IsSurrogate(input[i]), "every surrogate stays at its position", input, once);
        if (sources == Sources::IdeographsOnly)
            Check(IsIdeograph(input[i]), "only Chinese characters are rewritten", input, once);
        else
            Check(input[i] >= 0x80, "ASCII is never rewritten", input, once);
        Check(!IsSurrogate(once[i]) && once[i] >= 0x80, "a rewritten character is a BMP non-ASCII character",
              input, once);
        if (targets == Targets::IdeographsOnly)
            Check(IsIdeograph(once[i]), "a rewritten character becomes another Chinese character", input,
                  once);
    }
    Check(!IsValidUtf16(input) || IsValidUtf16(once), "valid UTF-16 stays valid", input, once);

    Check(map(once) == once, "a second run changes nothing", input, once);

    // Character by character: cutting the text anywhere and mapping the pieces
    // gives the same result, even inside a surrogate pair. With phrases, the
    // same holds for a cut just before a character that no phrase holds.
    std::size_t cut = input.empty() ? 0 : input[0] % (input.size() + 1);
    if (context == Context::Phrases) {
        while (cut < input.size() && !EndsEveryPhrase(input[cut]))
            ++cut;
    }
    Check(map(input.substr(0, cut)) + map(input.substr(cut)) == once,
          context == Context::None ? "each character maps on its own"
                                   : "no phrase reaches past ASCII or a surrogate",
          input, once);

    // Phrases read through spaces: spacing before or after gives the same.
    if (context == Context::Phrases)
        Check(map(AddSpaces(input)) == AddSpaces(once), "spacing and converting commute", input, once);
}

}  // namespace vellumino::fuzz
