// The packed format of the phrase and word lists that the generator writes
// (tools/gen-traditional-table.py): how a list is walked, measured and
// unpacked, and what an unpacked entry holds. Shared by the checks of the
// tables and by the conversion, which unpacks them on first use.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace vellumino::chinese {

constexpr bool IsSurrogate(char16_t unit)
{
    return unit >= 0xD800 && unit <= 0xDFFF;
}

// Unpacked, a phrase is a count and then the phrase and its converted form,
// or, with the count's top bit set, the phrase alone: a word of the word list
// whose characters the table converts, kept to weigh the cuts. The count
// holds the length in its low byte and the cost in bits 8 to 14.
constexpr char16_t kTableOnly = 0x8000;
constexpr char16_t kLengthBits = 0xFF;
// What a character that the word list does not count costs alone.
constexpr std::uint8_t kMaxCost = 127;

constexpr std::size_t LengthOf(char16_t count)
{
    return count & kLengthBits;
}

constexpr std::uint32_t CostOf(char16_t count)
{
    return (count >> 8) & 0x7F;
}
// Calls visit(position of the count, the characters) for each group; false
// if a group is empty or overruns the text. Phrases go through ForEachPhrase.
template <typename Visit>
constexpr bool ForEachGroup(std::u16string_view runs, Visit visit)
{
    std::size_t pos = 0;
    while (pos < runs.size()) {
        const std::size_t length = runs[pos];
        if (length == 0 || runs.size() - pos - 1 < length) {
            return false;
        }
        visit(pos, runs.substr(pos + 1, length));
        pos += 1 + length;
    }
    return true;
}

// Calls visit(position of the count, the phrase, its converted form) for
// each phrase, the form empty where the table converts it; false if a phrase
// is empty or overruns the text.
template <typename Visit>
constexpr bool ForEachPhrase(std::u16string_view phrases, Visit visit)
{
    std::size_t pos = 0;
    while (pos < phrases.size()) {
        const bool tableOnly = phrases[pos] & kTableOnly;
        const std::size_t length = LengthOf(phrases[pos]);
        const std::size_t units = tableOnly ? length : 2 * length;
        if (length == 0 || phrases.size() - pos - 1 < units) {
            return false;
        }
        visit(pos, phrases.substr(pos + 1, length),
              tableOnly ? std::u16string_view{} : phrases.substr(pos + 1 + length, length));
        pos += 1 + units;
    }
    return true;
}

// The generator's packing: a count holding the table-only bit (bit 14),
// the cost (bits 7 to 13), the number of units shared with the previous
// phrase (bits 4 to 6) and the length (bits 0 to 3), then the units not
// shared, then the converted form unless the table-only bit is set. Below
// 0x8000, a count is never a surrogate, which a string literal cannot hold.
struct Packed {
    char16_t count;

    bool TableOnly() const { return count & 0x4000; }
    std::size_t Length() const { return count & 0xF; }
    std::size_t Shared() const { return std::min<std::size_t>((count >> 4) & 0x7, Length()); }
    // The units that follow the count: those not shared, then the form.
    std::size_t Units() const { return Length() - Shared() + (TableOnly() ? 0 : Length()); }
    char16_t Unpacked() const
    {
        return static_cast<char16_t>((TableOnly() ? kTableOnly : 0) | ((count >> 7) & 0x7F) << 8 | Length());
    }
};

// What the packed list takes unpacked, read from the counts alone: its
// units, and at most how many pairs of groups begin phrases (a phrase that
// shares its first two units with the one before begins the same pair, as
// the list is sorted group-wise; one that does not may still, spelt with
// other characters of the same groups). A list cut short counts to its
// last whole phrase.
struct PackedSizes {
    std::size_t units = 0, pairs = 0;
};

inline PackedSizes Measure(std::u16string_view packed)
{
    PackedSizes sizes;
    for (std::size_t pos = 0; pos < packed.size();) {
        const Packed count{packed[pos]};
        if (packed.size() - pos - 1 < count.Units()) {
            break;
        }
        sizes.units += 1 + count.Length() + (count.TableOnly() ? 0 : count.Length());
        sizes.pairs += count.Shared() < 2;
        pos += 1 + count.Units();
    }
    return sizes;
}

// Unpacked in one buffer of the right size, each unit written once, and
// visit(position of the count, the phrase's characters, how many) called
// as each is done, free to rewrite them in place, so that whatever is built
// from the phrases is built in the same pass: memory touched for the first
// time costs more than the work (a fault per page).
template <typename Visit>
std::u16string UnpackPhrases(std::u16string_view packed, std::size_t units, Visit visit)
{
    std::u16string phrases(units, u'\0');
    char16_t* const begin = phrases.data();
    char16_t* out = begin;
    char16_t* const end = out + units;
    const char16_t* previous = out;  // the previous phrase's characters
    for (const char16_t* in = packed.data(); out < end;) {
        const Packed count{*in++};
        *out++ = count.Unpacked();
        char16_t* const key = out;
        out = std::copy_n(previous, count.Shared(), out);
        out = std::copy_n(in, count.Units(), out);
        previous = key;
        in += count.Units();
        visit(static_cast<std::size_t>(key - 1 - begin), key, count.Length());
    }
    return phrases;
}

inline std::u16string UnpackPhrases(std::u16string_view packed)
{
    return UnpackPhrases(packed, Measure(packed).units, [](std::size_t, char16_t*, std::size_t) {});
}

}  // namespace vellumino::chinese
