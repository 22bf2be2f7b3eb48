// What the fuzz targets share: turning raw bytes into UTF-16 and reporting a
// broken property with enough context to reproduce it by hand.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

namespace vellumino::fuzz {

// Two bytes per code unit, low byte first; a trailing odd byte is dropped. Any
// unit can come out, so lone surrogates and well-formed pairs both occur.
inline std::u16string UnitsFromBytes(const std::uint8_t* data, std::size_t size)
{
    std::u16string units;
    units.reserve(size / 2);
    for (std::size_t i = 0; i + 1 < size; i += 2)
        units.push_back(static_cast<char16_t>(data[i] | (data[i + 1] << 8)));
    return units;
}

// Kept apart from the library's own helpers so that an oracle never shares a
// fault with the code it checks.
inline bool IsHigh(char16_t unit)
{
    return unit >= 0xD800 && unit <= 0xDBFF;
}
inline bool IsLow(char16_t unit)
{
    return unit >= 0xDC00 && unit <= 0xDFFF;
}
inline bool IsSurrogate(char16_t unit)
{
    return unit >= 0xD800 && unit <= 0xDFFF;
}

// One entry per character: a well-formed pair is one, a lone surrogate is one.
inline std::vector<std::u16string_view> Characters(std::u16string_view text)
{
    std::vector<std::u16string_view> characters;
    for (std::size_t pos = 0; pos < text.size();) {
        const std::size_t length =
            (IsHigh(text[pos]) && pos + 1 < text.size() && IsLow(text[pos + 1])) ? 2 : 1;
        characters.push_back(text.substr(pos, length));
        pos += length;
    }
    return characters;
}

inline bool IsValidUtf16(std::u16string_view text)
{
    for (const auto character : Characters(text)) {
        if (character.size() == 1 && IsSurrogate(character[0]))
            return false;
    }
    return true;
}

inline void Print(const char* label, std::u16string_view text)
{
    std::fprintf(stderr, "%s (%zu units):", label, text.size());
    for (const char16_t unit : text)
        std::fprintf(stderr, " %04X", static_cast<unsigned>(unit));
    std::fprintf(stderr, "\n");
}

// Aborting hands the input to libFuzzer, which saves it as a crash artifact.
[[noreturn]] inline void Fail(const char* property, std::u16string_view input, std::u16string_view output)
{
    std::fprintf(stderr, "\nproperty broken: %s\n", property);
    Print("input ", input);
    Print("output", output);
    std::abort();
}

inline void Check(bool holds, const char* property, std::u16string_view input, std::u16string_view output)
{
    if (!holds)
        Fail(property, input, output);
}

}  // namespace vellumino::fuzz
