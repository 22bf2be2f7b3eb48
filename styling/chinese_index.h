// The phrase index: which positions of a text may start a phrase or word,
// and where the phrases that begin with a pair of groups lie. Built on the
// first conversion in each direction, as the phrases are unpacked.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>
#include <utility>
#include <vector>

#include "chinese_blocks.h"
#include "chinese_packed.h"

namespace vellumino::chinese {

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

}  // namespace vellumino::chinese
