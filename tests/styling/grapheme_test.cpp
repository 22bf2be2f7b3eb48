#include <gtest/gtest.h>

#include <cstddef>
#include <cstdio>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "grapheme.h"
#include "grapheme_walk.h"
#include "unicode_data.h"

namespace vellumino {
namespace {

// Checks the three functions at every position of `text` (inside pairs and
// past the end too) and the walk against the text's boundaries, 0 and
// text.size() included. Returns whether everything agreed.
bool AgreesWith(const std::u16string& text, const std::vector<std::size_t>& boundaries)
{
    const SignatureView view(text);
    std::vector<bool> at(text.size() + 1, false);
    for (const std::size_t boundary : boundaries)
        at[boundary] = true;

    bool agrees = true;
    const auto expect = [&agrees](auto actual, auto expected, const char* what, std::size_t pos) {
        if (actual != expected) {
            ADD_FAILURE() << what << "(" << pos << ") is " << actual << ", not " << expected;
            agrees = false;
        }
    };
    for (std::size_t pos = 0; pos <= text.size() + 1; ++pos) {
        std::size_t next = text.size(), previous = pos > text.size() ? text.size() : 0;
        for (const std::size_t boundary : boundaries) {
            if (boundary > pos && next == text.size())
                next = boundary;
            if (boundary < pos && pos <= text.size())
                previous = boundary;
        }
        expect(NextClusterBoundary(view, pos), next, "NextClusterBoundary", pos);
        expect(PreviousClusterBoundary(view, pos), previous, "PreviousClusterBoundary", pos);
        expect(IsClusterBoundary(view, pos), pos <= text.size() && at[pos], "IsClusterBoundary", pos);
    }

    std::vector<std::size_t> walked{0};
    for (ClusterWalk walk(view); !walk.Done();) {
        const SignatureView cluster = walk.Next();
        walked.push_back(static_cast<std::size_t>(cluster.data() - view.data()) + cluster.size());
    }
    if (walked != boundaries) {
        ADD_FAILURE() << "the walk finds other clusters";
        agrees = false;
    }
    return agrees;
}

// Every line of Unicode's conformance file: "÷ 0020 × 0308 ÷ # comment".
TEST(ClusterBoundaries, PassUnicodeConformanceFile)
{
    const auto lines = testing_unicode::Lines("auxiliary/GraphemeBreakTest.txt");
    std::size_t declared = 0, tested = 0, passed = 0;
    for (const auto& line : lines) {
        if (line.rfind("# Lines:", 0) == 0)
            declared = std::stoul(line.substr(8));
        const std::string data = line.substr(0, line.find('#'));
        if (data.find_first_not_of(" \t") == std::string::npos)
            continue;

        std::u16string text;
        std::vector<std::size_t> boundaries;
        std::istringstream tokens(data);
        for (std::string token; tokens >> token;) {
            if (token == "÷")
                boundaries.push_back(text.size());
            else if (token != "×")
                testing_unicode::AppendCodePoint(text, static_cast<char32_t>(std::stoul(token, nullptr, 16)));
        }
        SCOPED_TRACE(line);
        ++tested;
        passed += AgreesWith(text, boundaries);
    }
    EXPECT_EQ(tested, declared);
    EXPECT_EQ(passed, tested);
    std::printf("GraphemeBreakTest.txt: %zu of %zu lines passed\n", passed, tested);
}

struct BoundaryCase {
    const char* name;
    std::u16string text;
    std::vector<std::size_t> boundaries;
    friend void PrintTo(const BoundaryCase& c, std::ostream* os) { *os << c.name; }
};

class ClusterBoundaryCases : public testing::TestWithParam<BoundaryCase> {};

TEST_P(ClusterBoundaryCases, AgreeEverywhere)
{
    EXPECT_TRUE(AgreesWith(GetParam().text, GetParam().boundaries));
}

std::u16string Repeat(std::u16string_view piece, int times)
{
    std::u16string text;
    for (int i = 0; i < times; ++i)
        text += piece;
    return text;
}

// 0, then `first`, `first + step`, ... below `end`, then `end`.
std::vector<std::size_t> Every(std::size_t step, std::size_t end, std::size_t first = 0)
{
    std::vector<std::size_t> positions;
    if (first > 0)
        positions.push_back(0);
    for (std::size_t pos = first; pos < end; pos += step)
        positions.push_back(pos);
    positions.push_back(end);
    return positions;
}

constexpr char16_t kHigh = 0xD83D, kLow = 0xDE00;

// What the conformance file leaves out: lone surrogates, the edges of the
// text, runs longer than it tries, and the Hangul syllables the table stores
// as one range.
INSTANTIATE_TEST_SUITE_P(
    Cases, ClusterBoundaryCases,
    testing::Values(BoundaryCase{"empty", u"", {0}},
                    BoundaryCase{"lone_high_then_mark", std::u16string{u'a', kHigh, u'\u0301'}, {0, 1, 2, 3}},
                    BoundaryCase{
                        "lone_low_after_pair", std::u16string{kHigh, kLow, kLow, u'\u0301'}, {0, 2, 3, 4}},
                    BoundaryCase{"swapped_halves", std::u16string{kLow, kHigh}, {0, 1, 2}},
                    BoundaryCase{"pair_then_mark", u"\U0001F600\u0301b", {0, 3, 4}},
                    // 41 flags: the last one is alone.
                    BoundaryCase{"odd_flag_run", Repeat(u"\U0001F1E8", 41), Every(4, 82)},
                    BoundaryCase{"even_flag_run_after_letter", u"a" + Repeat(u"\U0001F1EF\U0001F1F5", 20),
                                 Every(4, 81, 1)},
                    BoundaryCase{"long_marks_then_joined_pictograph",
                                 u"\U0001F600" + Repeat(u"\u0308", 30) + u"\u200D\U0001F600x",
                                 {0, 35, 36}},
                    BoundaryCase{"joiner_without_pictograph_before", u"a\u200D\U0001F600", {0, 2, 4}},
                    BoundaryCase{"joiner_after_mark_on_letter", u"a\u0308\u200D\U0001F600", {0, 3, 5}},
                    BoundaryCase{"family", u"\U0001F468\u200D\U0001F469\u200D\U0001F467", {0, 8}},
                    BoundaryCase{"hangul_lv_takes_t", u"\uAC00\u11A8\uAC00\u1161", {0, 2, 4}},
                    BoundaryCase{"hangul_lvt_takes_t_not_v", u"\uAC01\u11A8\u1161", {0, 2, 3}},
                    BoundaryCase{"hangul_last_syllable", u"\uD7A3\u11A8\uD7A4", {0, 2, 3}},
                    BoundaryCase{"jamo_build_a_block", u"\u1100\u1161\u11A8\u1100", {0, 3, 4}},
                    BoundaryCase{"crlf_and_lone_cr", u"\r\n\r\r\n", {0, 2, 3, 5}},
                    BoundaryCase{"prepend_takes_space", u"\u0600 a", {0, 2, 3}}),
    [](const testing::TestParamInfo<BoundaryCase>& param) { return std::string(param.param.name); });

// The functions look back from where they are asked, the walk carries its
// knowledge forward: on random texts built from the pieces the rules single
// out, they must find the same boundaries.
TEST(ClusterBoundaries, LookingBackAgreesWithWalkingForward)
{
    const std::u16string pieces[] = {
        u"a",
        u" ",
        u"签",
        u"\r",
        u"\n",
        u"\t",
        u"\u0301",      // Extend
        u"\u200D",      // ZWJ
        u"\uFE0F",      // variation selector, Extend
        u"\U0001F3FD",  // skin tone, Extend
        u"\U0001F600",
        u"\u2764",  // Extended_Pictographic
        u"\U0001F1E8",
        u"\U0001F1F3",  // regional indicators
        u"\u0600",      // Prepend
        u"\u0903",      // SpacingMark
        u"\u1100",
        u"\u1161",
        u"\u11A8",  // L V T
        u"\uAC00",
        u"\uAC01",  // LV LVT
        std::u16string(1, kHigh),
        std::u16string(1, kLow),
    };
    std::mt19937 random(20261209);
    std::uniform_int_distribution<std::size_t> pick(0, std::size(pieces) - 1);
    std::uniform_int_distribution<int> length(0, 24);
    for (int round = 0; round < 3000; ++round) {
        std::u16string text;
        for (int n = length(random); n > 0; --n)
            text += pieces[pick(random)];

        std::vector<std::size_t> boundaries{0};
        for (ClusterWalk walk(text); !walk.Done();)
            boundaries.push_back(boundaries.back() + walk.Next().size());
        SCOPED_TRACE(testing::PrintToString(text));
        if (!AgreesWith(text, boundaries))
            break;  // one text's failures say enough
    }
}

}  // namespace
}  // namespace vellumino
