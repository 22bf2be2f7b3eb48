#include "chinese_tables.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <iterator>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "styling.h"
#include "table_section.h"

namespace vellumino::chinese {
namespace {

// Regenerate all of these with tools/gen-traditional-table.py rather than editing by hand.
constexpr CharacterPair kToTraditional[] = {
#include "opencc/traditional_table.inc"
};
constexpr CharacterPair kToSimplified[] = {
#include "opencc/simplified_table.inc"
};

// Groups: runs of a count in one code unit followed by that many
// characters, in code order. Phrases: packed as the generator's header
// describes, each sharing the start of the phrase before it, and unpacked on
// first use. The phrases make one literal longer than the 65,536 units the
// standard promises; GCC and Clang take far longer ones.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Woverlength-strings"
VELLUMINO_TABLE constexpr char16_t kTraditionalGroupsUnits[] =
#include "opencc/traditional_groups.inc"
    ;
constexpr std::u16string_view kTraditionalGroups{kTraditionalGroupsUnits, std::size(kTraditionalGroupsUnits) - 1};
VELLUMINO_TABLE constexpr char16_t kTraditionalPhrasesUnits[] =
#include "opencc/traditional_phrases.inc"
    ;
constexpr std::u16string_view kTraditionalPhrases{kTraditionalPhrasesUnits, std::size(kTraditionalPhrasesUnits) - 1};
VELLUMINO_TABLE constexpr char16_t kSimplifiedGroupsUnits[] =
#include "opencc/simplified_groups.inc"
    ;
constexpr std::u16string_view kSimplifiedGroups{kSimplifiedGroupsUnits, std::size(kSimplifiedGroupsUnits) - 1};
VELLUMINO_TABLE constexpr char16_t kSimplifiedPhrasesUnits[] =
#include "opencc/simplified_phrases.inc"
    ;
constexpr std::u16string_view kSimplifiedPhrases{kSimplifiedPhrasesUnits, std::size(kSimplifiedPhrasesUnits) - 1};
#pragma GCC diagnostic pop
// The single characters' costs, in runs: a cost, a count, then that many
// characters, each standing for its group.
VELLUMINO_TABLE constexpr char16_t kTraditionalCostsUnits[] =
#include "opencc/traditional_costs.inc"
    ;
constexpr std::u16string_view kTraditionalCosts{kTraditionalCostsUnits, std::size(kTraditionalCostsUnits) - 1};
VELLUMINO_TABLE constexpr char16_t kSimplifiedCostsUnits[] =
#include "opencc/simplified_costs.inc"
    ;
constexpr std::u16string_view kSimplifiedCosts{kSimplifiedCostsUnits, std::size(kSimplifiedCostsUnits) - 1};

constexpr bool IsSurrogate(char16_t unit)
{
    return unit >= 0xD800 && unit <= 0xDFFF;
}

template <std::size_t N>
consteval bool IsSortedWithoutRepeats(const CharacterPair (&pairs)[N])
{
    return std::adjacent_find(std::begin(pairs), std::end(pairs),
                              [](const CharacterPair& a, const CharacterPair& b) {
                                  return a.source >= b.source;
                              }) == std::end(pairs);
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

// Half of a surrogate pair must never be rewritten on its own, nor written.
template <std::size_t N>
consteval bool AvoidsSurrogates(const CharacterPair (&pairs)[N])
{
    return std::prev(std::end(pairs))->source < 0xD800 &&
           std::none_of(std::begin(pairs), std::end(pairs),
                        [](const CharacterPair& p) { return IsSurrogate(p.target); });
}

static_assert(IsSortedWithoutRepeats(kToTraditional), "the table must be sorted by source with no repeats");
static_assert(IsSortedWithoutRepeats(kToSimplified), "the table must be sorted by source with no repeats");
static_assert(AvoidsSurrogates(kToTraditional), "surrogates must be neither sources nor targets");
static_assert(AvoidsSurrogates(kToSimplified), "surrogates must be neither sources nor targets");

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

std::u16string UnpackPhrases(std::u16string_view packed)
{
    return UnpackPhrases(packed, Measure(packed).units, [](std::size_t, char16_t*, std::size_t) {});
}

// The character tables and the groups, each in two steps so that only the
// 256-unit blocks that hold a source or a grouped character take room in the
// program (under 50 KiB, where one slot per code unit would take 128 KiB). A
// slot holds the distance from the unit down to its form or to the first of
// its group; the shared block 0 holds zeros. The conversion reads them into
// one slot per code unit on first use.
constexpr std::size_t kUnits = 0x10000;
constexpr std::size_t kBlock = 256;

template <std::size_t N>
consteval std::size_t CountBlocks(const CharacterPair (&pairs)[N])
{
    std::array<bool, kBlock> used{};
    for (const CharacterPair& pair : pairs) {
        used[pair.source / kBlock] = true;
    }
    return 1 + static_cast<std::size_t>(std::count(used.begin(), used.end(), true));
}

consteval std::size_t CountBlocks(std::u16string_view groups)
{
    std::array<bool, kBlock> used{};
    ForEachGroup(groups, [&used](std::size_t, std::u16string_view members) {
        for (const char16_t member : members.substr(1)) {
            used[member / kBlock] = true;
        }
    });
    return 1 + static_cast<std::size_t>(std::count(used.begin(), used.end(), true));
}

using Distances = std::array<char16_t, kBlock>;

template <std::size_t Blocks>
struct BlockTable {
    static_assert(Blocks <= 256, "block numbers are one byte");
    std::array<std::uint8_t, kBlock> block{};
    std::array<Distances, Blocks> distance{};

    constexpr char16_t operator()(char16_t unit) const
    {
        return static_cast<char16_t>(unit - distance[block[unit / kBlock]][unit % kBlock]);
    }
};

template <std::size_t Blocks>
consteval BlockTable<Blocks> BuildGroups(std::u16string_view groups)
{
    BlockTable<Blocks> table{};
    std::size_t used = 1;
    ForEachGroup(groups, [&](std::size_t, std::u16string_view members) {
        for (const char16_t member : members.substr(1)) {
            std::uint8_t& block = table.block[member / kBlock];
            if (block == 0) {
                block = static_cast<std::uint8_t>(used++);
            }
            table.distance[block][member % kBlock] = static_cast<char16_t>(member - members[0]);
        }
    });
    return table;
}

template <std::size_t Blocks, std::size_t N>
consteval BlockTable<Blocks> BuildMap(const CharacterPair (&pairs)[N])
{
    BlockTable<Blocks> table{};
    std::size_t used = 1;
    for (const CharacterPair& pair : pairs) {
        std::uint8_t& block = table.block[pair.source / kBlock];
        if (block == 0) {
            block = static_cast<std::uint8_t>(used++);
        }
        table.distance[block][pair.source % kBlock] = static_cast<char16_t>(pair.source - pair.target);
    }
    return table;
}

VELLUMINO_TABLE constexpr auto kTraditionalMap = BuildMap<CountBlocks(kToTraditional)>(kToTraditional);
VELLUMINO_TABLE constexpr auto kSimplifiedMap = BuildMap<CountBlocks(kToSimplified)>(kToSimplified);

template <std::size_t N, typename Map>
consteval bool IsFinal(const CharacterPair (&pairs)[N], const Map& map)
{
    return std::all_of(std::begin(pairs), std::end(pairs),
                       [&map](const CharacterPair& p) { return map(p.target) == p.target; });
}

static_assert(IsFinal(kToTraditional, kTraditionalMap),
              "a target that is also a source would make the conversion change its own output");
static_assert(IsFinal(kToSimplified, kSimplifiedMap),
              "a target that is also a source would make the conversion change its own output");

// Groups in code order, characters in code order within each, none in two
// groups and no surrogates: then each group's first character is its smallest,
// as the generator sorted the phrases by.
consteval bool AreGroupsWellFormed(std::u16string_view groups)
{
    std::array<bool, kUnits> seen{};
    char16_t previousFirst = 0;
    bool ok = true;
    ok &= ForEachGroup(groups, [&](std::size_t, std::u16string_view members) {
        ok &= members.size() >= 2 && members[0] > previousFirst;
        previousFirst = members[0];
        for (std::size_t i = 0; i < members.size(); ++i) {
            ok &= !IsSurrogate(members[i]) && !seen[members[i]] && (i == 0 || members[i - 1] < members[i]);
            seen[members[i]] = true;
        }
    });
    return ok;
}

static_assert(AreGroupsWellFormed(kTraditionalGroups), "malformed groups");
static_assert(AreGroupsWellFormed(kSimplifiedGroups), "malformed groups");

VELLUMINO_TABLE constexpr auto kTraditionalGroupOf = BuildGroups<CountBlocks(kTraditionalGroups)>(kTraditionalGroups);
VELLUMINO_TABLE constexpr auto kSimplifiedGroupOf = BuildGroups<CountBlocks(kSimplifiedGroups)>(kSimplifiedGroups);

// What makes a second run change nothing: the character table keeps each
// character in its group, and so does every phrase, character by character.
// The converted text then holds the same groups at the same places, the
// same phrases match there, and what lies between them is already final.
template <std::size_t N, typename Group>
consteval bool KeepsGroups(const CharacterPair (&pairs)[N], const Group& group)
{
    return std::all_of(std::begin(pairs), std::end(pairs),
                       [&group](const CharacterPair& p) { return group(p.source) == group(p.target); });
}

// Neither half of a surrogate pair, every phrase at least two characters,
// and each converted character in its source's group; strictly ascending
// group-wise, a phrase before the longer ones it begins, as the search below
// narrows a range of them one character at a time. Too many phrases for the
// compiler to check in reasonable time: the tests check it instead.
template <typename Group>
bool PhrasesAreWellFormed(std::u16string_view phrases, const Group& group)
{
    std::u16string_view previous;
    bool ok = true;
    ok &= ForEachPhrase(phrases, [&](std::size_t, std::u16string_view key, std::u16string_view target) {
        ok &= key.size() >= 2;
        for (std::size_t i = 0; i < key.size(); ++i) {
            ok &= !IsSurrogate(key[i]) &&
                  (target.empty() || (!IsSurrogate(target[i]) && group(key[i]) == group(target[i])));
        }
        ok &= std::lexicographical_compare(previous.begin(), previous.end(), key.begin(), key.end(),
                                           [&group](char16_t a, char16_t b) { return group(a) < group(b); });
        previous = key;
    });
    return ok;
}

static_assert(KeepsGroups(kToTraditional, kTraditionalGroupOf), "a character leaves its group");
static_assert(KeepsGroups(kToSimplified, kSimplifiedGroupOf), "a character leaves its group");

// Where each phrase starts, and for each group that begins one, the range of
// phrases that begin with it.
constexpr std::size_t kWords = kUnits / 64;
using UnitSet = std::array<std::uint64_t, kWords>;

constexpr bool Contains(const UnitSet& set, char16_t unit)
{
    return (set[unit / 64] >> (unit % 64)) & 1;
}

// A phrase of two characters by its two groups, and a longer one by its
// first three, each hashed into one of 2^19 bits: a position where neither
// bit is set starts no phrase. Most pairs that start phrases start only
// longer ones, so the third character turns away most of the positions that
// would otherwise be looked up for nothing; 64 KiB of bits each keep the
// share that passes for nothing to a few in a hundred.
constexpr std::size_t kHashBits = 19;
using HashSet = std::array<std::uint64_t, (std::size_t{1} << kHashBits) / 64>;

constexpr std::uint32_t PairHash(char16_t first, char16_t second)
{
    return static_cast<std::uint32_t>(((std::uint32_t{first} << 16 | second) * 0x9E3779B1u) >>
                                      (32 - kHashBits));
}

constexpr std::uint32_t TripleHash(char16_t first, char16_t second, char16_t third)
{
    return static_cast<std::uint32_t>(
        ((std::uint32_t{first} << 16 | second) * 0x9E3779B1u + std::uint32_t{third} * 0x85EBCA6Bu) >>
        (32 - kHashBits));
}

// The bit itself, so that several tests combine without branches.
constexpr std::uint64_t Contains(const HashSet& set, std::uint32_t hash)
{
    return (set[hash / 64] >> (hash % 64)) & 1;
}

constexpr void Add(HashSet& set, std::uint32_t hash)
{
    set[hash / 64] |= std::uint64_t{1} << (hash % 64);
}

// For each pair of groups that begins a phrase, where the phrases that
// begin with it lie, one after the other, in a table with open addressing:
// one probe and one stretch of memory where a search by the first character
// and then the second took a dozen reads, each a likely cache miss.
struct PairRange {
    std::uint32_t pair = 0;  // first group << 16 | second group; 0 for an empty slot
    // Where the first phrase's count is (bits 0 to 20) and how many phrases
    // there are (bits 21 to 31).
    std::uint32_t where = 0;

    static constexpr std::size_t kOffsetBits = 21, kCountBits = 11;

    std::size_t Offset() const { return where & ((1u << kOffsetBits) - 1); }
    std::size_t Count() const { return (where >> kOffsetBits) & ((1u << kCountBits) - 1); }
};

// Built on the first conversion in that direction, in a few milliseconds:
// the compiler takes minutes over so many phrases.
struct PhraseIndex {
    UnitSet starts{};  // every unit whose group begins a phrase
    HashSet twos{}, threes{};
    std::vector<PairRange> ranges;
    unsigned rangeBits = 0;
    bool fits = true;  // every range's offset and count fit their bits

    static std::uint32_t Slot(std::uint32_t pair, unsigned bits)
    {
        return (pair * 0x9E3779B1u) >> (32 - bits);
    }

    const PairRange* SlotOf(std::uint32_t pair) const { return &ranges[Slot(pair, rangeBits)]; }

    const PairRange* Find(std::uint32_t pair) const
    {
        for (std::size_t slot = Slot(pair, rangeBits);; slot = (slot + 1) & (ranges.size() - 1)) {
            if (ranges[slot].pair == pair) {
                return &ranges[slot];
            }
            if (ranges[slot].pair == 0) {
                return nullptr;
            }
        }
    }
};

// Built as the phrases are unpacked: sized first for `pairs` pairs, then
// given each phrase in order, its characters folded to the first of their
// groups, then finished with the groups.
class IndexBuilder {
public:
    explicit IndexBuilder(std::size_t pairs) : index_(std::make_unique<PhraseIndex>())
    {
        // At most half full, so that a probe seldom goes on.
        while ((std::size_t{1} << index_->rangeBits) < 2 * pairs + 2) {
            ++index_->rangeBits;
        }
        index_->ranges.resize(std::size_t{1} << index_->rangeBits);
    }

    void Take(std::size_t pos, std::u16string_view key)
    {
        const char16_t head = key[0];
        const std::uint32_t pair = std::uint32_t{head} << 16 | key[1];
        if (pair != current_) {
            Insert();
            current_ = pair;
            offset_ = pos;
            count_ = 0;
        }
        ++count_;
        index_->starts[head / 64] |= std::uint64_t{1} << (head % 64);
        if (key.size() == 2) {
            Add(index_->twos, PairHash(head, key[1]));
        } else {
            Add(index_->threes, TripleHash(head, key[1], key[2]));
        }
    }

    // Every unit of a group whose first character begins a phrase may begin one.
    std::unique_ptr<const PhraseIndex> Finish(std::u16string_view groups)
    {
        Insert();
        ForEachGroup(groups, [this](std::size_t, std::u16string_view members) {
            if (Contains(index_->starts, members[0])) {
                for (const char16_t member : members) {
                    index_->starts[member / 64] |= std::uint64_t{1} << (member % 64);
                }
            }
        });
        return std::move(index_);
    }

private:
    // The range of the pair before, if any.
    void Insert()
    {
        if (count_ == 0) {
            return;
        }
        index_->fits &= offset_ < (std::size_t{1} << PairRange::kOffsetBits) &&
                        count_ < (std::size_t{1} << PairRange::kCountBits);
        std::vector<PairRange>& ranges = index_->ranges;
        std::size_t slot = PhraseIndex::Slot(current_, index_->rangeBits);
        while (ranges[slot].pair != 0) {
            slot = (slot + 1) & (ranges.size() - 1);
        }
        ranges[slot] = {current_, static_cast<std::uint32_t>(offset_ | count_ << PairRange::kOffsetBits)};
        count_ = 0;
    }

    std::unique_ptr<PhraseIndex> index_;
    std::uint32_t current_ = 0;
    std::size_t offset_ = 0, count_ = 0;
};

// Whether the four units from `units` on are all ASCII, in one load.
inline bool AllAscii(const char16_t* units)
{
    std::uint64_t four;
    std::memcpy(&four, units, sizeof four);
    return (four & 0xFF80FF80FF80FF80u) == 0;
}

// A phrase or word found in the text: where it starts, counted in
// characters of the text with spaces left out from the start of its piece,
// how many characters it takes, what it costs, and where its count is.
struct Match {
    std::uint32_t start, length, cost, at;
};

// What one conversion reuses from piece to piece.
struct Scratch {
    std::vector<std::size_t> positions;  // each character's place in the text
    std::vector<Match> matches;          // in order of start
    std::vector<std::uint32_t> best;     // the cheapest cost from each character on
    std::vector<std::uint32_t> choice;   // the match that starts it, or none
};

constexpr std::uint32_t kNoMatch = UINT32_MAX;

// One direction's tables, without the sizes in the type.
struct Direction {
    // For each code unit, its form in the low half and its group in the
    // high half: one load gives either, where the compiled tables take two
    // in a row. Filled on first use from those tables.
    std::vector<std::uint32_t> units;
    std::u16string phrases;
    std::unique_ptr<const PhraseIndex> index;
    // What each group costs alone, by its first character.
    std::vector<std::uint8_t> costs;
    const UnitSet& starts = index->starts;
    const HashSet& twos = index->twos;
    const HashSet& threes = index->threes;

    char16_t Group(char16_t unit) const { return static_cast<char16_t>(units[unit] >> 16); }

    char16_t Map(char16_t unit) const { return static_cast<char16_t>(units[unit]); }

    static bool IsSpace(char16_t unit) { return unit == u' ' || unit == u'\u3000'; }

    // The first unit from `pos` on that is not a space, or the text's size.
    // Phrases read through spaces, so that spaced text (复 制) converts as
    // the unspaced text does, and each space stays where it was; next to
    // ASCII or a surrogate a phrase ends anyway.
    static std::size_t Skip(std::u16string_view text, std::size_t pos)
    {
        pos = std::min(pos, text.size());
        while (pos < text.size() && IsSpace(text[pos]))
            [[unlikely]]
            {
                ++pos;
            }
        return pos;
    }

    // Whether a phrase or word may start at `pos`, whose next units that are
    // not spaces are at `next` and `after`: the same tests as the main loop's.
    bool MayStart(std::u16string_view text, std::size_t pos, std::size_t next, std::size_t after) const
    {
        if (next >= text.size() || !Contains(starts, text[pos])) {
            return false;
        }
        const char16_t first = Group(text[pos]), second = Group(text[next]);
        const char16_t third = after < text.size() ? Group(text[after]) : u'\0';
        return Contains(twos, PairHash(first, second)) | Contains(threes, TripleHash(first, second, third));
    }

    // Adds every phrase and word that matches `text` from `pos` on, `next`
    // being the unit after `pos` that is not a space, as starting at
    // character `start`; returns the most characters one of them takes.
    std::uint32_t AddMatches(std::u16string_view text, std::size_t pos, std::size_t next, std::uint32_t start,
                             std::vector<Match>& matches) const
    {
        const PairRange* range = index->Find(std::uint32_t{Group(text[pos])} << 16 | Group(text[next]));
        if (range == nullptr) {
            return 0;
        }
        // Sorted group-wise, a phrase before the longer ones it begins: the
        // first that runs past the text, or sorts after it, ends the search.
        std::uint32_t longest = 0;
        std::size_t at = range->Offset();
        for (std::size_t left = range->Count(); left > 0; --left) {
            const char16_t count = phrases[at];
            const std::size_t length = LengthOf(count);
            const char16_t* key = phrases.data() + at + 1;
            std::size_t matched = 2, cursor = Skip(text, next + 1);
            while (matched < length && cursor < text.size() && key[matched] == Group(text[cursor])) {
                ++matched;
                cursor = Skip(text, cursor + 1);
            }
            if (matched == length) {
                matches.push_back({start, static_cast<std::uint32_t>(length), CostOf(count),
                                   static_cast<std::uint32_t>(at)});
                longest = static_cast<std::uint32_t>(length);
            } else if (cursor >= text.size() || key[matched] > Group(text[cursor])) {
                break;
            }
            at += 1 + (count & kTableOnly ? length : 2 * length);
        }
        return longest;
    }

    // Converts the piece of text that starts at `pos`, where a phrase or
    // word may start, and returns where its last unit is. A piece ends where
    // no phrase or word found in it reaches further; no phrase or word found
    // before it reaches into it, so it is cut on its own. Of all the ways to
    // cut it into phrases, words and single characters, the cheapest wins,
    // and of two alike the one whose first piece is longer; a phrase found
    // there writes its converted form, everything else its characters' forms.
    // Kept out of line: the loop that calls it runs once per unit and does
    // better with few registers in use.
    [[gnu::noinline]] std::size_t ConvertPiece(std::u16string_view text, std::size_t pos, char16_t* out,
                                               Scratch& scratch) const
    {
        std::vector<std::size_t>& positions = scratch.positions;
        std::vector<Match>& matches = scratch.matches;
        positions.clear();
        matches.clear();
        bool writes = false;  // whether a phrase with a converted form was found
        std::size_t reach = 1, at = pos, next = Skip(text, pos + 1);
        for (std::uint32_t i = 0; i < reach; ++i) {
            positions.push_back(at);
            out[at] = Map(text[at]);
            const std::size_t after = Skip(text, next + 1);
            if (MayStart(text, at, next, after)) {
                const std::size_t first = matches.size();
                reach = std::max<std::size_t>(reach, i + AddMatches(text, at, next, i, matches));
                for (std::size_t m = first; m < matches.size(); ++m) {
                    writes |= !(phrases[matches[m].at] & kTableOnly);
                }
            }
            if (i + 1 == reach) {
                break;
            }
            at = next;
            next = after;
        }
        if (writes) {
            Choose(text, scratch);
            for (std::size_t i = 0; i < positions.size();) {
                const std::uint32_t chosen = scratch.choice[i];
                if (chosen == kNoMatch) {
                    ++i;
                    continue;
                }
                const Match& match = matches[chosen];
                if (!(phrases[match.at] & kTableOnly)) {
                    const char16_t* target = phrases.data() + match.at + 1 + match.length;
                    for (std::size_t k = 0; k < match.length; ++k) {
                        out[positions[i + k]] = target[k];
                    }
                }
                i += match.length;
            }
        }
        return positions.back();
    }

    // The cheapest cut of the piece, from its end back to its start.
    void Choose(std::u16string_view text, Scratch& scratch) const
    {
        const std::size_t size = scratch.positions.size();
        std::vector<std::uint32_t>& best = scratch.best;
        std::vector<std::uint32_t>& choice = scratch.choice;
        best.assign(size + 1, 0);
        choice.assign(size, kNoMatch);
        std::size_t m = scratch.matches.size();
        for (std::size_t i = size; i-- > 0;) {
            std::uint32_t cheapest = costs[Group(text[scratch.positions[i]])] + best[i + 1], length = 1;
            for (; m > 0 && scratch.matches[m - 1].start == i; --m) {
                const Match& match = scratch.matches[m - 1];
                const std::uint32_t cost = match.cost + best[i + match.length];
                if (cost < cheapest || (cost == cheapest && match.length > length)) {
                    cheapest = cost;
                    length = match.length;
                    choice[i] = static_cast<std::uint32_t>(m - 1);
                }
            }
            best[i] = cheapest;
        }
    }

    std::u16string Convert(std::u16string_view text) const
    {
        // ASCII and spaces map to themselves: only the units looked at below
        // are mapped.
        std::u16string result(text);
        char16_t* const out = result.data();
        Scratch scratch;
        // All tests at once and without a branch: on Chinese text a third of
        // the units pass the first, so branching on it alone mispredicts often.
        // Each unit's group is looked up once, as the third of three, then the
        // second and the first. No phrase holds ASCII, so where four units in
        // a row are ASCII, as in most text around Chinese, none can start one.
        const std::size_t size = text.size();
        const auto groupAt = [&](std::size_t at) { return at < size ? Group(text[at]) : u'\0'; };
        std::size_t pos = 0, next = 0, after = 0;
        char16_t first = 0, second = 0;
        const auto restart = [&](std::size_t at) __attribute__((always_inline)) {
            pos = Skip(text, at);
            next = Skip(text, pos + 1);
            after = Skip(text, next + 1);
            first = groupAt(pos);
            second = groupAt(next);
        };
        restart(0);
        while (pos < size) {
            if (pos + 4 < size && AllAscii(text.data() + pos)) {
                do {
                    pos += 4;
                } while (pos + 4 < size && AllAscii(text.data() + pos));
                restart(pos);
                continue;
            }
            const char16_t unit = text[pos];
            out[pos] = Map(unit);
            const char16_t third = groupAt(after);
            const std::uint64_t start =
                Contains(twos, PairHash(first, second)) | Contains(threes, TripleHash(first, second, third));
            // The next position's probe, started early: it misses the cache
            // more often than not.
            __builtin_prefetch(index->SlotOf(std::uint32_t{second} << 16 | third));
            if (Contains(starts, unit) & start & (next < size)) [[unlikely]] {
                restart(ConvertPiece(text, pos, out, scratch) + 1);
                continue;
            }
            pos = next;
            next = after;
            after = Skip(text, after + 1);
            first = second;
            second = third;
        }
        return result;
    }
};

template <typename Map, typename Groups>
Direction MakeDirection(const Map& map, const Groups& groups, std::u16string_view packed,
                        std::u16string_view groupRuns, std::u16string_view costRuns)
{
    // A block at a time, each unit's two distances side by side, which the
    // compiler does several units to an instruction.
    std::vector<std::uint32_t> units(kUnits);
    for (std::size_t block = 0; block < kUnits / kBlock; ++block) {
        const Distances& toForm = map.distance[map.block[block]];
        const Distances& toGroup = groups.distance[groups.block[block]];
        for (std::size_t i = 0; i < kBlock; ++i) {
            const std::uint32_t unit = static_cast<std::uint32_t>(block * kBlock + i);
            units[unit] = ((unit - toForm[i]) & 0xFFFF) | ((unit - toGroup[i]) & 0xFFFF) << 16;
        }
    }
    // Each phrase's own characters are kept as the first of their groups,
    // so that matching looks up only the text's; and each goes into the
    // index as it is unpacked.
    const PackedSizes sizes = Measure(packed);
    IndexBuilder builder(sizes.pairs);
    std::u16string phrases =
        UnpackPhrases(packed, sizes.units, [&](std::size_t pos, char16_t* key, std::size_t length) {
            for (std::size_t i = 0; i < length; ++i) {
                key[i] = static_cast<char16_t>(units[key[i]] >> 16);
            }
            builder.Take(pos, std::u16string_view(key, length));
        });
    auto index = builder.Finish(groupRuns);
    std::vector<std::uint8_t> costs(kUnits, kMaxCost);
    for (std::size_t pos = 0; pos + 2 <= costRuns.size();) {
        const auto cost = static_cast<std::uint8_t>(std::min<char16_t>(costRuns[pos], kMaxCost));
        const std::size_t count = std::min<std::size_t>(costRuns[pos + 1], costRuns.size() - pos - 2);
        for (const char16_t group : costRuns.substr(pos + 2, count)) {
            costs[group] = cost;
        }
        pos += 2 + count;
    }
    return {std::move(units), std::move(phrases), std::move(index), std::move(costs)};
}

const Direction& Traditional()
{
    static const Direction direction =
        MakeDirection(kTraditionalMap, kTraditionalGroupOf, kTraditionalPhrases, kTraditionalGroups,
                      kTraditionalCosts);
    return direction;
}

const Direction& Simplified()
{
    static const Direction direction =
        MakeDirection(kSimplifiedMap, kSimplifiedGroupOf, kSimplifiedPhrases, kSimplifiedGroups,
                      kSimplifiedCosts);
    return direction;
}

std::vector<Phrase> ListPhrases(std::u16string_view phrases)
{
    std::vector<Phrase> list;
    ForEachPhrase(phrases, [&list](std::size_t, std::u16string_view key, std::u16string_view target) {
        list.push_back({key, target});
    });
    return list;
}

}  // namespace

std::span<const CharacterPair> TraditionalTable()
{
    return kToTraditional;
}

std::span<const CharacterPair> SimplifiedTable()
{
    return kToSimplified;
}

std::span<const Phrase> TraditionalPhrases()
{
    static const std::u16string phrases = UnpackPhrases(kTraditionalPhrases);
    static const std::vector<Phrase> list = ListPhrases(phrases);
    return list;
}

std::span<const Phrase> SimplifiedPhrases()
{
    static const std::u16string phrases = UnpackPhrases(kSimplifiedPhrases);
    static const std::vector<Phrase> list = ListPhrases(phrases);
    return list;
}

char16_t TraditionalGroup(char16_t unit)
{
    return kTraditionalGroupOf(unit);
}

char16_t SimplifiedGroup(char16_t unit)
{
    return kSimplifiedGroupOf(unit);
}

bool PhrasesAreWellFormed()
{
    return PhrasesAreWellFormed(UnpackPhrases(kTraditionalPhrases), kTraditionalGroupOf) &&
           Traditional().index->fits &&
           PhrasesAreWellFormed(UnpackPhrases(kSimplifiedPhrases), kSimplifiedGroupOf) &&
           Simplified().index->fits;
}

}  // namespace vellumino::chinese

namespace vellumino {

SignatureText ToTraditional(SignatureView text)
{
    return chinese::Traditional().Convert(text);
}

SignatureText ToSimplified(SignatureView text)
{
    return chinese::Simplified().Convert(text);
}

}  // namespace vellumino
