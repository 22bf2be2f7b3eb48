// The packed format of the phrase lists and costs, read from bytes written
// here by hand: the numbers at the edges of each width, a list whose every
// kind of entry is known, and the same list damaged in each way a cut or
// stale copy could be, which must end the list where it stops reading whole.
#include <gtest/gtest.h>

#include <cstdint>
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

#include "chinese_packed.h"

namespace vellumino::chinese {
namespace {

using Bytes = std::vector<unsigned char>;

struct NumberCase {
    Bytes bytes;
    std::uint32_t value;
    bool overrun;
};

TEST(PackedNumbers, ReadAtTheEdgesOfEachWidth)
{
    const NumberCase cases[] = {
        {{0x00}, 0, false},
        {{0xBF}, 0xBF, false},
        {{0xC0, 0x00}, 0xC0, false},
        {{0xC0, 0xFF}, 0x1BF, false},
        {{0xFE, 0xFF}, 0x3FBF, false},
        {{0xFF, 0xC0, 0x3F, 0x00}, 0x3FC0, false},
        {{0xFF, 0xFF, 0xFF, 0xFF}, 0xFFFFFF, false},
        {{}, 0, true},
        {{0xC5}, 0xC0 + 0x500, true},
        {{0xFF, 0x01, 0x02}, 0x0201, true},
    };
    for (const NumberCase& c : cases) {
        ByteStream in{c.bytes.data(), c.bytes.data() + c.bytes.size()};
        EXPECT_EQ(in.Number(), c.value) << testing::PrintToString(c.bytes);
        EXPECT_EQ(in.overrun, c.overrun) << testing::PrintToString(c.bytes);
    }
}

// A list of three: 一二, a word the table converts (cost 5); 一发 → 一髮,
// sharing 一 (cost 9); 二发 → 二发, which keeps the 发 the table would write
// as 發 (cost 3). Its characters, in order, are 一 二 发.
struct Streams {
    Bytes characters{0xFF, 0x00, 0x9C, 0x00, 0xC0, 0x58, 0xC9, 0xCA};  // 0x4E00, +0x8C, +0x545, zigzag
    Bytes byFrequency{0x02, 0x00, 0x00, 0x00, 0x01, 0x00};               // 发 一 二
    Bytes targets{0xEE, 0x9A};                                           // 髮
    Bytes heads{0x02, 0x92, 0x82};
    Bytes costs{5, 9, 3};
    Bytes deltas{0x00, 0x02, 0x02};
    Bytes others{0x02, 0x00};
    Bytes forms{0x81, 0x00, 0xC1};
    std::uint32_t entries = 3;

    Bytes Packed() const
    {
        Bytes packed;
        for (const std::size_t size : {std::size_t{entries}, byFrequency.size() / 2, characters.size(),
                                       targets.size() / 2, deltas.size(), others.size(), forms.size()}) {
            for (int shift = 0; shift < 32; shift += 8) {
                packed.push_back(static_cast<unsigned char>(size >> shift));
            }
        }
        for (const Bytes* part : {&characters, &byFrequency, &targets, &heads, &costs, &deltas, &others, &forms}) {
            packed.insert(packed.end(), part->begin(), part->end());
        }
        return packed;
    }
};

constexpr char16_t kOne = u'一', kTwo = u'二', kHair = u'发', kHairForm = u'髮', kSent = u'發';
const std::u16string kWhole[] = {
    {char16_t{0x8502}, kOne, kTwo},
    {char16_t{0x0902}, kOne, kHair, kOne, kHairForm},
    {char16_t{0x0302}, kTwo, kHair, kTwo, kHair},
};

std::u16string Unpack(const Bytes& bytes, std::vector<std::size_t>* visited = nullptr)
{
    const PackedPhrases packed(bytes);
    return packed.Unpack(
        packed.Measure().units, [](char16_t unit) { return unit == kHair ? kSent : unit; },
        [](char16_t unit) { return unit; },
        [visited](std::size_t pos, const char16_t*, std::size_t) {
            if (visited)
                visited->push_back(pos);
        });
}

std::u16string First(std::size_t entries)
{
    std::u16string units;
    for (std::size_t i = 0; i < entries; ++i)
        units += kWhole[i];
    return units;
}

TEST(PackedPhrases, UnpackAsWritten)
{
    const Bytes bytes = Streams{}.Packed();
    std::vector<std::size_t> visited;
    EXPECT_EQ(Unpack(bytes, &visited), First(3));
    EXPECT_EQ(visited, (std::vector<std::size_t>{0, 3, 8}));
    const PackedSizes sizes = PackedPhrases(bytes).Measure();
    EXPECT_EQ(sizes.units, First(3).size());
    EXPECT_EQ(sizes.pairs, 3u);
}

struct Damage {
    const char* what;
    void (*apply)(Streams&);
    std::size_t whole;  // how many entries still read
};

TEST(PackedPhrases, DamagedListsEndWhereTheyStopReadingWhole)
{
    const Damage damages[] = {
        {"a header that counts another entry", [](Streams& s) { s.entries = 4; }, 0},
        {"a difference past the last character", [](Streams& s) { s.deltas[1] = 0x04; }, 1},
        {"a difference before the first character", [](Streams& s) { s.deltas[0] = 0x01; }, 0},
        {"a rank past the last character", [](Streams& s) { s.others[0] = 0x07; }, 0},
        {"a form's character past the last", [](Streams& s) { s.forms[1] = 0x05; }, 1},
        {"a form's place past the phrase", [](Streams& s) { s.forms[0] = 0x83; }, 1},
        {"forms that end before the last phrase's", [](Streams& s) { s.forms.pop_back(); }, 2},
        {"differences that end before the last entry's", [](Streams& s) { s.deltas.pop_back(); }, 2},
        {"an entry of one character", [](Streams& s) { s.heads[1] = 0x91; }, 1},
        {"an entry that shares all it has", [](Streams& s) { s.heads[1] = 0xA2; }, 1},
        {"a character list that runs out", [](Streams& s) { s.characters.resize(6); }, 0},
    };
    for (const Damage& damage : damages) {
        SCOPED_TRACE(damage.what);
        Streams streams;
        damage.apply(streams);
        EXPECT_EQ(Unpack(streams.Packed()), First(damage.whole));
    }
    // Cut short, the bytes no longer add up to what the header says.
    Bytes cut = Streams{}.Packed();
    cut.pop_back();
    EXPECT_EQ(Unpack(cut), u"");
    EXPECT_EQ(PackedPhrases(cut).Measure().units, 0u);
    EXPECT_EQ(Unpack(Bytes(10, 0)), u"");
}

struct CostCase {
    const char* what;
    Bytes bytes;
    bool whole;
    std::vector<std::pair<char16_t, unsigned>> costs;
};

TEST(PackedCosts, RunsOfDistances)
{
    const CostCase cases[] = {
        {"two runs", {30, 2, 0xFF, 0x00, 0x4E, 0x00, 0x05, 31, 1, 0xFF, 0x01, 0x4E, 0x00}, true,
         {{u'\u4E00', 30}, {u'\u4E05', 30}, {u'\u4E01', 31}}},
        {"a run cut short", {30, 2, 0x41}, false, {{u'A', 30}}},
        {"a distance past the last code unit", {30, 2, 0xFF, 0xFF, 0xFF, 0x00, 0x01}, false, {{u'\uFFFF', 30}}},
        {"nothing", {}, true, {}},
    };
    for (const CostCase& c : cases) {
        SCOPED_TRACE(c.what);
        std::vector<std::pair<char16_t, unsigned>> costs;
        EXPECT_EQ(ForEachCost(c.bytes, [&costs](char16_t unit, unsigned cost) { costs.emplace_back(unit, cost); }),
                  c.whole);
        EXPECT_EQ(costs, c.costs);
    }
}

struct PairCase {
    const char* what;
    Bytes bytes;
    bool whole;
    std::vector<std::pair<char16_t, char16_t>> pairs;
};

// What the compiler packs reads back; a cut or wrong one stops, never
// giving a unit past 0xFFFF or below 0.
TEST(PackedPairs, ReadBackAsPacked)
{
    std::vector<std::pair<char16_t, char16_t>> packed = {{u'万', u'萬'}, {u'与', u'與'}, {u'发', u'髮'}, {u'\uFFFF', u'a'}};
    Bytes bytes;
    char16_t previous = 0;
    for (const auto& [source, target] : packed) {
        const auto out = [&bytes](std::uint32_t byte) { bytes.push_back(static_cast<unsigned char>(byte)); };
        AppendNumber(source - previous, out);
        AppendNumber(Zigzag(target - source), out);
        previous = source;
    }
    const PairCase cases[] = {
        {"as packed", bytes, true, packed},
        {"cut inside the last pair", Bytes(bytes.begin(), bytes.end() - 1), false,
         {packed.begin(), packed.end() - 1}},
        {"a target below 0", {0x05, 0x0B}, false, {}},
        {"a target past 0xFFFF", {0xFF, 0xFF, 0xFF, 0x00, 0x02}, false, {}},
        {"a source past 0xFFFF", {0xFF, 0x00, 0x00, 0x01, 0x00}, false, {}},
    };
    for (const PairCase& c : cases) {
        SCOPED_TRACE(c.what);
        std::vector<std::pair<char16_t, char16_t>> pairs;
        EXPECT_EQ(ForEachPair(c.bytes, [&pairs](char16_t s, char16_t t) { pairs.emplace_back(s, t); }), c.whole);
        EXPECT_EQ(pairs, c.pairs);
    }
}

}  // namespace
}  // namespace vellumino::chinese
