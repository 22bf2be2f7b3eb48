// The packed format of the phrase and word lists and of the characters'
// costs that the generator writes (tools/gen-traditional-table.py): how a
// list is measured and unpacked, and what an unpacked entry holds. Shared by the checks of the
// tables and by the conversion, which unpacks them on first use.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

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

// The generator's packing (packed_phrases in tools/gen-traditional-table.py):
// bytes in streams of one kind each, the characters as indices into the
// list of those the keys use, the forms as what differs from the table's.
// UTF-16 Chinese gives gzip little to work with; these streams give it a
// third less to send, and the desktops as much less to carry.

// Numbers of the deltas, characters and forms: one byte below 0xC0; two,
// the first 0xC0 to 0xFE, below 0x3FC0; else 0xFF and three bytes, low
// first. Reading past the end gives 0 and marks the stream spent.
struct ByteStream {
    const unsigned char* at;
    const unsigned char* end;
    bool overrun = false;

    unsigned Byte()
    {
        if (at == end) {
            overrun = true;
            return 0;
        }
        return *at++;
    }

    std::uint32_t Number()
    {
        const unsigned first = Byte();
        if (first < 0xC0) {
            return first;
        }
        if (first < 0xFF) {
            return 0xC0 + ((first - 0xC0) << 8 | Byte());
        }
        const std::uint32_t low = Byte(), middle = Byte();
        return low | middle << 8 | std::uint32_t{Byte()} << 16;
    }
};

// What the packed list takes unpacked, read from its heads alone: its
// units, and at most how many pairs of groups begin phrases (a phrase that
// shares its first two characters with the one before begins the same pair,
// as the list is sorted group-wise; one that does not may still, spelt with
// other characters of the same groups).
struct PackedSizes {
    std::size_t units = 0, pairs = 0;
};

class PackedPhrases {
public:
    // Empty, so that nothing unpacks, unless the streams the header names
    // fill the bytes exactly.
    explicit PackedPhrases(std::span<const unsigned char> bytes)
    {
        constexpr std::size_t kFields = 7, kHeader = kFields * 4;
        if (bytes.size() < kHeader) {
            return;
        }
        std::uint64_t header[kFields];
        for (std::size_t i = 0; i < kFields; ++i) {
            header[i] = std::uint64_t{bytes[4 * i]} | std::uint64_t{bytes[4 * i + 1]} << 8 |
                        std::uint64_t{bytes[4 * i + 2]} << 16 | std::uint64_t{bytes[4 * i + 3]} << 24;
        }
        // Summed in 64 bits, so that no size can wrap round to fit.
        if (bytes.size() - kHeader != header[2] + 2 * header[1] + 2 * header[3] + 2 * header[0] + header[4] +
                                          header[5] + header[6]) {
            return;
        }
        std::size_t sizes[kFields];
        std::copy_n(header, kFields, sizes);
        const std::size_t entries = sizes[0], characters = sizes[1], targets = sizes[3];
        const unsigned char* at = bytes.data() + kHeader;
        characters_ = {at, at + sizes[2]};
        count_ = characters;
        at += sizes[2];
        byFrequency_ = {at, characters};
        targets_ = {at + 2 * characters, targets};
        at += 2 * characters + 2 * targets;
        heads_ = {at, entries};
        costs_ = {at + entries, entries};
        at += 2 * entries;
        deltas_ = {at, at + sizes[4]};
        others_ = {at + sizes[4], at + sizes[4] + sizes[5]};
        forms_ = {at + sizes[4] + sizes[5], at + sizes[4] + sizes[5] + sizes[6]};
    }

    PackedSizes Measure() const
    {
        PackedSizes sizes;
        for (const unsigned char head : heads_) {
            const std::size_t length = head & 0xF;
            sizes.units += 1 + length + (head & 0x80 ? length : 0);
            sizes.pairs += ((head >> 4) & 0x7) < 2;
        }
        return sizes;
    }

    // Unpacked in one buffer of the right size, each unit written once, and
    // visit(position of the count, the key's characters, how many) called
    // as each is done, so that whatever is built from the phrases is built
    // in the same pass: memory touched for the first time costs more than
    // the work (a fault per page). form(unit) is the character table's;
    // each key's characters are written as group(unit), each form's as
    // they are. Both are looked up once per character of the list, not per
    // character of every entry. An entry that does not read whole ends the
    // list there.
    template <typename Form, typename Group, typename Visit>
    std::u16string Unpack(std::size_t units, Form form, Group group, Visit visit) const
    {
        const std::size_t characters = count_;
        struct Character {
            char16_t unit, form, group;
        };
        std::vector<Character> alphabet(characters);
        ByteStream differences = characters_;
        std::int64_t unit = 0;
        for (std::size_t i = 0; i < characters; ++i) {
            unit += Unzigzag(differences.Number());
            if (unit < 0 || unit > 0xFFFF || differences.overrun) {
                return {};
            }
            const auto c = static_cast<char16_t>(unit);
            alphabet[i] = {c, form(c), group(c)};
        }
        std::vector<std::uint32_t> byFrequency(characters);
        for (std::size_t i = 0; i < characters; ++i) {
            byFrequency[i] = std::min<std::uint32_t>(byFrequency_[i], static_cast<std::uint32_t>(characters));
        }
        std::u16string phrases(units, u'\0');
        char16_t* const begin = phrases.data();
        char16_t* out = begin;
        char16_t* const end = begin + units;
        ByteStream deltas = deltas_, others = others_, forms = forms_;
        // The indices of the characters of the entry before, which the next
        // shares its first ones with and counts its first other one from.
        std::uint32_t key[16] = {};
        std::size_t previous = 0;
        for (std::size_t entry = 0; entry < heads_.size(); ++entry) {
            const unsigned head = heads_[entry];
            const bool hasForm = head & 0x80;
            const std::size_t length = head & 0xF, shared = (head >> 4) & 0x7;
            if (length < 2 || shared >= length ||
                end - out < static_cast<std::ptrdiff_t>(1 + (hasForm ? 2 : 1) * length)) {
                break;
            }
            std::size_t rest = shared;
            if (shared < kDeltaShared) {
                const std::int64_t first = Unzigzag(deltas.Number()) + (shared < previous ? key[shared] : 0);
                if (first < 0 || static_cast<std::size_t>(first) >= characters) {
                    break;
                }
                key[shared] = static_cast<std::uint32_t>(first);
                ++rest;
            }
            std::uint32_t outside = 0;
            for (std::size_t i = rest; i < length; ++i) {
                const std::uint32_t rank = others.Number();
                key[i] = rank < characters ? byFrequency[rank] : static_cast<std::uint32_t>(characters);
                outside |= key[i] >= characters;
            }
            if (outside || deltas.overrun || others.overrun) {
                break;
            }
            previous = length;
            char16_t* const count = out;
            char16_t* const source = out + 1;
            *count = static_cast<char16_t>((hasForm ? 0 : kTableOnly) |
                                           std::min<unsigned>(costs_[entry], kMaxCost) << 8 | length);
            for (std::size_t i = 0; i < length; ++i) {
                source[i] = alphabet[key[i]].group;
            }
            out = source + length;
            if (hasForm) {
                char16_t* const target = out;
                for (std::size_t i = 0; i < length; ++i) {
                    target[i] = alphabet[key[i]].form;
                }
                for (unsigned change = 0; !(change & 0x80);) {
                    change = forms.Byte();
                    const std::size_t at = change & 0xF;
                    const std::uint32_t rank = change & 0x40 ? 0 : forms.Number();
                    if (forms.overrun || at >= length || (!(change & 0x40) && rank >= targets_.Size())) {
                        phrases.resize(static_cast<std::size_t>(count - begin));
                        return phrases;
                    }
                    target[at] = change & 0x40 ? alphabet[key[at]].unit : targets_[rank];
                }
                out += length;
            }
            visit(static_cast<std::size_t>(count - begin), source, length);
        }
        phrases.resize(static_cast<std::size_t>(out - begin));
        return phrases;
    }

private:
    // Little-endian 16-bit units in place, which need no alignment.
    struct Units {
        const unsigned char* at = nullptr;
        std::size_t size = 0;

        std::size_t Size() const { return size; }
        char16_t operator[](std::size_t i) const
        {
            return static_cast<char16_t>(at[2 * i] | at[2 * i + 1] << 8);
        }
    };

    // Below this many characters shared with the entry before, the next is
    // a difference; from there on, like the others, a place by frequency.
    static constexpr std::size_t kDeltaShared = 2;

    static std::int64_t Unzigzag(std::uint32_t number)
    {
        return number & 1 ? -static_cast<std::int64_t>(number / 2) - 1 : number / 2;
    }

    std::size_t count_ = 0;
    Units byFrequency_, targets_;
    std::span<const unsigned char> heads_, costs_;
    ByteStream characters_{nullptr, nullptr}, deltas_{nullptr, nullptr}, others_{nullptr, nullptr},
        forms_{nullptr, nullptr};
};

// Writes `number` as ByteStream reads it.
template <typename Out>
constexpr void AppendNumber(std::uint32_t number, Out out)
{
    if (number < 0xC0) {
        out(number);
    } else if (number < 0x3FC0) {
        out(0xC0 + ((number - 0xC0) >> 8));
        out((number - 0xC0) & 0xFF);
    } else {
        out(0xFF);
        out(number & 0xFF);
        out((number >> 8) & 0xFF);
        out((number >> 16) & 0xFF);
    }
}

constexpr std::uint32_t Zigzag(std::int32_t value)
{
    return value >= 0 ? 2 * static_cast<std::uint32_t>(value) : 2 * static_cast<std::uint32_t>(-value) - 1;
}

// A character table as the program carries it, packed by the compiler from
// the pairs it checks (chinese_blocks.cpp): for each pair in order of its
// source, the source's distance from the one before (the first from 0) and
// the target's difference from the source, zigzag coded. Calls take(source,
// target) for each; false if a pair does not read whole.
template <typename Take>
bool ForEachPair(std::span<const unsigned char> bytes, Take take)
{
    ByteStream in{bytes.data(), bytes.data() + bytes.size()};
    std::int64_t source = 0;
    while (in.at != in.end) {
        source += in.Number();
        const std::uint32_t difference = in.Number();
        const std::int64_t target =
            source + (difference & 1 ? -static_cast<std::int64_t>(difference / 2) - 1 : difference / 2);
        if (in.overrun || source > 0xFFFF || target < 0 || target > 0xFFFF) {
            return false;
        }
        take(static_cast<char16_t>(source), static_cast<char16_t>(target));
    }
    return true;
}

// The single characters' costs, as the generator writes them: runs of a
// cost, how many characters, then those characters as distances, each from
// the one before. Calls take(group, cost) for each; false if a run does not
// read whole.
template <typename Take>
bool ForEachCost(std::span<const unsigned char> bytes, Take take)
{
    ByteStream in{bytes.data(), bytes.data() + bytes.size()};
    while (in.at != in.end) {
        const unsigned cost = in.Byte();
        const std::uint32_t count = in.Number();
        std::uint32_t unit = 0;
        for (std::uint32_t i = 0; i < count; ++i) {
            unit += in.Number();
            if (in.overrun || unit > 0xFFFF) {
                return false;
            }
            take(static_cast<char16_t>(unit), cost);
        }
        if (in.overrun) {
            return false;
        }
    }
    return true;
}

}  // namespace vellumino::chinese
