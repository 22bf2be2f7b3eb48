// The weighed cut: the conversion itself. A text is cut into phrases, words
// and single characters by the cheapest reading; a phrase writes its
// converted form, everything else its characters' forms. The tables are in
// chinese_blocks.cpp, their packed format in chinese_packed.h and the index
// that finds where phrases may start in chinese_index.h.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "chinese_blocks.h"
#include "chinese_index.h"
#include "chinese_packed.h"
#include "chinese_tables.h"
#include "styling.h"

namespace vellumino::chinese {
namespace {

// Neither half of a surrogate pair, every phrase at least two characters,
// and each converted character in its source's group, or one that the table
// leaves as it is and that stands for its own group (覆 for 复), which the
// phrase's own output then matches by a key of its own; strictly ascending
// group-wise, a phrase before the longer ones it begins, as the search below
// narrows a range of them one character at a time. Too many phrases for the
// compiler to check in reasonable time: the tests check it instead.
template <typename Group, typename Map>
bool PhrasesAreWellFormed(std::u16string_view phrases, Group group, Map map)
{
    std::u16string_view previous;
    bool ok = true;
    ok &= ForEachPhrase(phrases, [&](std::size_t, std::u16string_view key, std::u16string_view target) {
        ok &= key.size() >= 2;
        for (std::size_t i = 0; i < key.size(); ++i) {
            ok &= !IsSurrogate(key[i]) &&
                  (target.empty() ||
                   (!IsSurrogate(target[i]) && (group(key[i]) == group(target[i]) ||
                                                (group(target[i]) == target[i] && map(target[i]) == target[i]))));
        }
        ok &= std::lexicographical_compare(previous.begin(), previous.end(), key.begin(), key.end(),
                                           [&group](char16_t a, char16_t b) { return group(a) < group(b); });
        previous = key;
    });
    return ok;
}

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
        const auto restart = [&](std::size_t at) __attribute__((always_inline))
        {
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

// Each unit's form and group, from the pairs and the group runs: one pass
// over 64 K slots and one over the few thousand that differ.
std::vector<std::uint32_t> UnitTable(const DirectionTables& tables)
{
    std::vector<std::uint32_t> units(kUnits);
    for (std::uint32_t unit = 0; unit < kUnits; ++unit) {
        units[unit] = unit | unit << 16;
    }
    ForEachPair(tables.forms, [&units](char16_t source, char16_t target) {
        units[source] = (units[source] & 0xFFFF0000u) | target;
    });
    ForEachGroup(tables.groupRuns, [&units](std::size_t, std::u16string_view members) {
        for (const char16_t member : members) {
            units[member] = (units[member] & 0xFFFFu) | std::uint32_t{members[0]} << 16;
        }
    });
    return units;
}

Direction MakeDirection(const DirectionTables& tables)
{
    std::vector<std::uint32_t> units = UnitTable(tables);
    // Each phrase's own characters are kept as the first of their groups,
    // so that matching looks up only the text's; and each goes into the
    // index as it is unpacked.
    const PackedPhrases packed(tables.phrases);
    const PackedSizes sizes = packed.Measure();
    IndexBuilder builder(sizes.pairs);
    std::u16string phrases = packed.Unpack(
        sizes.units, [&units](char16_t unit) { return static_cast<char16_t>(units[unit]); },
        [&units](char16_t unit) { return static_cast<char16_t>(units[unit] >> 16); },
        [&builder](std::size_t pos, const char16_t* key, std::size_t length) {
            builder.Take(pos, std::u16string_view(key, length));
        });
    auto index = builder.Finish(tables.groupRuns);
    std::vector<std::uint8_t> costs(kUnits, kMaxCost);
    ForEachCost(tables.costs, [&costs](char16_t group, unsigned cost) {
        costs[group] = static_cast<std::uint8_t>(std::min<unsigned>(cost, kMaxCost));
    });
    return {std::move(units), std::move(phrases), std::move(index), std::move(costs)};
}

const Direction& Traditional()
{
    static const Direction direction = MakeDirection(TraditionalTables());
    return direction;
}

const Direction& Simplified()
{
    static const Direction direction = MakeDirection(SimplifiedTables());
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

// The phrases as listed, their characters unfolded.
std::u16string Unpacked(const DirectionTables& tables, const Direction& direction)
{
    const PackedPhrases packed(tables.phrases);
    return packed.Unpack(
        packed.Measure().units, [&direction](char16_t unit) { return direction.Map(unit); },
        [](char16_t unit) { return unit; }, [](std::size_t, const char16_t*, std::size_t) {});
}

}  // namespace

std::span<const Phrase> TraditionalPhrases()
{
    static const std::u16string phrases = Unpacked(TraditionalTables(), Traditional());
    static const std::vector<Phrase> list = ListPhrases(phrases);
    return list;
}

std::span<const Phrase> SimplifiedPhrases()
{
    static const std::u16string phrases = Unpacked(SimplifiedTables(), Simplified());
    static const std::vector<Phrase> list = ListPhrases(phrases);
    return list;
}

char16_t TraditionalGroup(char16_t unit)
{
    return Traditional().Group(unit);
}

char16_t SimplifiedGroup(char16_t unit)
{
    return Simplified().Group(unit);
}

// Every entry unpacked, and each list well formed.
bool PhrasesAreWellFormed()
{
    const auto wellFormed = [](const DirectionTables& tables, const Direction& direction, auto group) {
        const std::u16string phrases = Unpacked(tables, direction);
        return PackedPhrases(tables.phrases).Measure().units == phrases.size() &&
               PhrasesAreWellFormed(phrases, group, [&direction](char16_t unit) { return direction.Map(unit); }) &&
               direction.index->fits;
    };
    return wellFormed(TraditionalTables(), Traditional(), TraditionalGroup) &&
           wellFormed(SimplifiedTables(), Simplified(), SimplifiedGroup);
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
