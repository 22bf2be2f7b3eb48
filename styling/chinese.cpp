#include "chinese_tables.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <iterator>
#include <memory>
#include <utility>
#include <string>
#include <vector>

#include "styling.h"

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
constexpr std::u16string_view kTraditionalGroups =
#include "opencc/traditional_groups.inc"
    ;
constexpr std::u16string_view kTraditionalPhrases =
#include "opencc/traditional_phrases.inc"
    ;
constexpr std::u16string_view kSimplifiedGroups =
#include "opencc/simplified_groups.inc"
    ;
constexpr std::u16string_view kSimplifiedPhrases =
#include "opencc/simplified_phrases.inc"
    ;
#pragma GCC diagnostic pop

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
// or, with the count's top bit set, the phrase alone: one kept only so that
// phrases match where OpenCC's whole list would, whose characters the table
// converts.
constexpr char16_t kTableOnly = 0x8000;

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

// Calls visit(position of the count, the characters) for each run; false if
// a run is empty or overruns the text. Groups only: phrases go through
// ForEachPhrase.
template <typename Visit>
constexpr bool ForEachRun(std::u16string_view runs, std::size_t unitsPerCount, Visit visit)
{
    std::size_t pos = 0;
    while (pos < runs.size()) {
        const std::size_t length = runs[pos] * unitsPerCount;
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
        const std::size_t length = phrases[pos] & ~kTableOnly;
        const std::size_t units = tableOnly ? length : 2 * length;
        if (length == 0 || phrases.size() - pos - 1 < units) {
            return false;
        }
        visit(pos, phrases.substr(pos + 1, length), tableOnly ? std::u16string_view{} : phrases.substr(pos + 1 + length, length));
        pos += 1 + units;
    }
    return true;
}

// The generator's packing: a count holding the top bit, the number of
// units shared with the previous phrase (bits 8 to 14) and the length (bits
// 0 to 7), then the units not shared, then the converted form unless the
// top bit is set.
std::u16string UnpackPhrases(std::u16string_view packed)
{
    std::u16string phrases;
    phrases.reserve(packed.size() * 3 / 2);
    std::size_t previous = 0;  // where the previous phrase's characters start
    for (std::size_t pos = 0; pos < packed.size();) {
        const char16_t count = packed[pos++];
        const bool tableOnly = count & kTableOnly;
        const std::size_t shared = (count >> 8) & 0x7F, length = count & 0xFF;
        const std::size_t own = length - std::min(shared, length);
        const std::size_t target = tableOnly ? 0 : length;
        if (packed.size() - pos < own + target) {
            break;  // cut short: the tests catch a malformed list
        }
        const std::size_t start = phrases.size() + 1;
        phrases.push_back(static_cast<char16_t>((tableOnly ? kTableOnly : 0) | length));
        phrases.append(phrases, previous, length - own);
        phrases.append(packed.substr(pos, own + target));
        previous = start;
        pos += own + target;
    }
    return phrases;
}

// The character tables and the groups, each looked up in two steps so that
// only the 256-unit blocks that hold a source or a grouped character take
// room (under 50 KiB, where one slot per code unit would take 128 KiB). A
// slot holds the distance from the unit down to its form or to the first of
// its group; the shared block 0 holds zeros. Both loads and the subtraction
// run without a branch, so mixed Chinese and Latin text costs no mispredicted
// range checks.
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
    ForEachRun(groups, 1, [&used](std::size_t, std::u16string_view members) {
        for (const char16_t member : members.substr(1)) {
            used[member / kBlock] = true;
        }
    });
    return 1 + static_cast<std::size_t>(std::count(used.begin(), used.end(), true));
}

using Distances = std::array<char16_t, kBlock>;

constexpr char16_t GroupOf(const std::uint8_t* block, const Distances* distance, char16_t unit)
{
    return static_cast<char16_t>(unit - distance[block[unit / kBlock]][unit % kBlock]);
}

template <std::size_t Blocks>
struct BlockTable {
    static_assert(Blocks <= 256, "block numbers are one byte");
    std::array<std::uint8_t, kBlock> block{};
    std::array<Distances, Blocks> distance{};

    constexpr char16_t operator()(char16_t unit) const
    {
        return GroupOf(block.data(), distance.data(), unit);
    }
};

template <std::size_t Blocks>
consteval BlockTable<Blocks> BuildGroups(std::u16string_view groups)
{
    BlockTable<Blocks> table{};
    std::size_t used = 1;
    ForEachRun(groups, 1, [&](std::size_t, std::u16string_view members) {
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

constexpr auto kTraditionalMap = BuildMap<CountBlocks(kToTraditional)>(kToTraditional);
constexpr auto kSimplifiedMap = BuildMap<CountBlocks(kToSimplified)>(kToSimplified);

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
    ok &= ForEachRun(groups, 1, [&](std::size_t, std::u16string_view members) {
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

constexpr auto kTraditionalGroupOf = BuildGroups<CountBlocks(kTraditionalGroups)>(kTraditionalGroups);
constexpr auto kSimplifiedGroupOf = BuildGroups<CountBlocks(kSimplifiedGroups)>(kSimplifiedGroups);

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
// phrases that begin with it, found by counting the set bits before it.
constexpr std::size_t kWords = kUnits / 64;
using UnitSet = std::array<std::uint64_t, kWords>;

constexpr bool Contains(const UnitSet& set, char16_t unit)
{
    return (set[unit / 64] >> (unit % 64)) & 1;
}

// The first two groups of a phrase, hashed into one of 2^19 bits: a position
// whose pair's bit is clear starts no phrase. 64 KiB of bits keep the share
// of pairs that start none but pass to a few in a hundred.
constexpr std::size_t kPairBits = 19;
using PairSet = std::array<std::uint64_t, (std::size_t{1} << kPairBits) / 64>;

constexpr std::uint32_t PairHash(char16_t first, char16_t second)
{
    return static_cast<std::uint32_t>(((std::uint32_t{first} << 16 | second) * 0x9E3779B1u) >>
                                      (32 - kPairBits));
}

// Built on the first conversion in that direction, in well under a
// millisecond: the compiler takes minutes over so many phrases.
struct PhraseIndex {
    std::vector<std::uint32_t> offset;  // of each phrase's count
    std::vector<char16_t> second;       // the group of each phrase's second character
    UnitSet starts{};                   // every unit whose group begins a phrase
    UnitSet firsts{};                   // those groups' first characters
    PairSet pairs{};
    std::array<std::uint32_t, kWords> rank{};  // set bits of `firsts` before each word
    std::vector<std::uint32_t> begin;
};

template <typename Group>
std::unique_ptr<const PhraseIndex> BuildIndex(std::u16string_view phrases, std::u16string_view groups,
                                              const Group& group)
{
    auto index = std::make_unique<PhraseIndex>();
    ForEachPhrase(phrases, [&](std::size_t pos, std::u16string_view key, std::u16string_view) {
        const char16_t head = group(key[0]);
        if (!Contains(index->firsts, head)) {
            index->firsts[head / 64] |= std::uint64_t{1} << (head % 64);
            index->starts[head / 64] |= std::uint64_t{1} << (head % 64);
            index->begin.push_back(static_cast<std::uint32_t>(index->offset.size()));
        }
        const std::uint32_t pair = PairHash(head, group(key[1]));
        index->pairs[pair / 64] |= std::uint64_t{1} << (pair % 64);
        index->second.push_back(group(key[1]));
        index->offset.push_back(static_cast<std::uint32_t>(pos));
    });
    index->begin.push_back(static_cast<std::uint32_t>(index->offset.size()));
    ForEachRun(groups, 1, [&](std::size_t, std::u16string_view members) {
        if (Contains(index->firsts, members[0])) {
            for (const char16_t member : members) {
                index->starts[member / 64] |= std::uint64_t{1} << (member % 64);
            }
        }
    });
    std::uint32_t before = 0;
    for (std::size_t word = 0; word < kWords; ++word) {
        index->rank[word] = before;
        before += static_cast<std::uint32_t>(std::popcount(index->firsts[word]));
    }
    return index;
}

// One direction's tables, without the sizes in the type.
struct Direction {
    const std::uint8_t* mapBlock;
    const Distances* mapDistance;
    const std::uint8_t* block;
    const Distances* distance;
    std::u16string phrases;
    std::unique_ptr<const PhraseIndex> index;
    const std::uint32_t* offset = index->offset.data();
    const char16_t* second = index->second.data();
    const UnitSet& starts = index->starts;
    const UnitSet& firsts = index->firsts;
    const PairSet& pairs = index->pairs;
    const std::uint32_t* rank = index->rank.data();
    const std::uint32_t* begin = index->begin.data();

    char16_t Group(char16_t unit) const { return GroupOf(block, distance, unit); }

    char16_t Map(char16_t unit) const { return GroupOf(mapBlock, mapDistance, unit); }

    std::size_t Length(std::size_t phrase) const { return phrases[offset[phrase]] & ~kTableOnly; }

    // The group of the phrase's character at `at`, which it must have.
    char16_t GroupAt(std::size_t phrase, std::size_t at) const
    {
        return at == 1 ? second[phrase] : Group(phrases[offset[phrase] + 1 + at]);
    }

    // The longest phrase that matches `text` from `pos` on, whose first two
    // units passed `starts` and `pairs`; its length, or 0 if none does.
    std::size_t Longest(std::u16string_view text, std::size_t pos, std::size_t& found) const
    {
        const char16_t head = Group(text[pos]);
        const std::size_t word = head / 64;
        const std::uint64_t below = firsts[word] & ((std::uint64_t{1} << (head % 64)) - 1);
        const std::size_t first = rank[word] + static_cast<std::size_t>(std::popcount(below));
        std::size_t low = begin[first], high = begin[first + 1];
        std::size_t best = 0;
        // [low, high): the phrases whose first `matched` characters match.
        for (std::size_t matched = 1;; ++matched) {
            if (Length(low) == matched) {
                best = matched;
                found = low++;
            }
            if (low == high || pos + matched >= text.size()) {
                return best;
            }
            const char16_t next = Group(text[pos + matched]);
            std::size_t from = low, to = high;
            while (from < to) {
                const std::size_t mid = from + (to - from) / 2;
                if (GroupAt(mid, matched) < next) {
                    from = mid + 1;
                } else {
                    to = mid;
                }
            }
            low = from;
            to = high;
            while (from < to) {
                const std::size_t mid = from + (to - from) / 2;
                if (GroupAt(mid, matched) <= next) {
                    from = mid + 1;
                } else {
                    to = mid;
                }
            }
            high = from;
            if (low == high) {
                return best;
            }
        }
    }

    // Writes the phrase that starts at `pos` into `out`, if one does, and
    // returns its length, else 0; `pos` has passed `starts` and `pairs`. Kept
    // out of line: the loop that calls it runs once per unit and does better
    // with few registers in use.
    [[gnu::noinline]] std::size_t WritePhrase(std::u16string_view text, std::size_t pos, char16_t* out) const
    {
        std::size_t found = 0;
        const std::size_t length = Longest(text, pos, found);
        // A phrase kept for its place alone leaves the table's forms in `out`.
        if (length != 0 && !(phrases[offset[found]] & kTableOnly)) {
            const auto target = std::u16string_view(phrases).substr(offset[found] + 1 + length, length);
            std::copy(target.begin(), target.end(), out + pos);
        }
        return length;
    }

    // Phrases are matched as if the spaces between characters were not there,
    // so that spaced text (复 制) converts as the unspaced text does, and each
    // space stays where it was.
    std::u16string Convert(std::u16string_view text) const
    {
        const auto isSpace = [](char16_t unit) { return unit == u' ' || unit == u'\u3000'; };
        const auto firstSpace = std::find_if(text.begin(), text.end(), isSpace);
        if (firstSpace == text.end()) {
            return ConvertUnspaced(text);
        }
        std::u16string dense(text.begin(), firstSpace);
        std::copy_if(firstSpace, text.end(), std::back_inserter(dense), [&](char16_t unit) { return !isSpace(unit); });
        const std::u16string converted = ConvertUnspaced(dense);
        std::u16string result(text);
        auto next = converted.begin();
        for (char16_t& unit : result) {
            if (!isSpace(unit)) {
                unit = *next++;
            }
        }
        return result;
    }

    std::u16string ConvertUnspaced(std::u16string_view text) const
    {
        std::u16string result(text.size(), u'\0');
        char16_t* const out = result.data();
        for (std::size_t pos = 0; pos < text.size(); ++pos) {
            out[pos] = Map(text[pos]);
        }
        // Both tests at once and without a branch: on Chinese text a third of
        // the units pass the first, so branching on it alone mispredicts often.
        for (std::size_t pos = 0; pos + 1 < text.size(); ++pos) {
            const char16_t unit = text[pos];
            const std::uint32_t pair = PairHash(Group(unit), Group(text[pos + 1]));
            if (Contains(starts, unit) & ((pairs[pair / 64] >> (pair % 64)) & 1)) [[unlikely]] {
                const std::size_t length = WritePhrase(text, pos, out);
                pos += length - (length != 0);
            }
        }
        return result;
    }
};

template <typename Map, typename Groups>
Direction MakeDirection(const Map& map, const Groups& groups, std::u16string_view packed,
                        std::u16string_view groupRuns)
{
    std::u16string phrases = UnpackPhrases(packed);
    auto index = BuildIndex(phrases, groupRuns, groups);
    return {map.block.data(), map.distance.data(), groups.block.data(), groups.distance.data(),
            std::move(phrases), std::move(index)};
}

const Direction& Traditional()
{
    static const Direction direction =
        MakeDirection(kTraditionalMap, kTraditionalGroupOf, kTraditionalPhrases, kTraditionalGroups);
    return direction;
}

const Direction& Simplified()
{
    static const Direction direction =
        MakeDirection(kSimplifiedMap, kSimplifiedGroupOf, kSimplifiedPhrases, kSimplifiedGroups);
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
    static const std::vector<Phrase> list = ListPhrases(Traditional().phrases);
    return list;
}

std::span<const Phrase> SimplifiedPhrases()
{
    static const std::vector<Phrase> list = ListPhrases(Simplified().phrases);
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
    return PhrasesAreWellFormed(Traditional().phrases, kTraditionalGroupOf) &&
           PhrasesAreWellFormed(Simplified().phrases, kSimplifiedGroupOf);
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
