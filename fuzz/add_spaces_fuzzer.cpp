#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "fuzz_support.h"
#include "grapheme.h"
#include "styling.h"

namespace {

// Whether a space between the two would stand as a cluster of its own.
bool SpaceWouldStandAlone(std::u16string_view before, std::u16string_view after)
{
    std::u16string joined(before);
    joined.push_back(u' ');
    joined.append(after);
    return vellumino::IsClusterBoundary(joined, before.size()) &&
           vellumino::IsClusterBoundary(joined, before.size() + 1);
}

// What spacing must produce where every cluster is one character, built the
// plain way: the characters that are not U+0020, in order, each pair as one,
// joined by single spaces where a space stands alone.
std::u16string Spread(std::u16string_view text)
{
    std::u16string spread;
    std::u16string_view previous;
    for (const auto character : vellumino::fuzz::Characters(text)) {
        if (character == u" ")
            continue;
        if (!previous.empty() && SpaceWouldStandAlone(previous, character))
            spread.push_back(u' ');
        spread.append(character);
        previous = character;
    }
    return spread;
}

// The clusters as the public functions find them, walking from the start.
// AddSpaces takes its clusters from a walk of its own, which carries the
// rules' state forward, where these look back from each position.
std::vector<std::u16string_view> Clusters(std::u16string_view text)
{
    std::vector<std::u16string_view> clusters;
    for (std::size_t pos = 0; pos < text.size();) {
        const std::size_t next = vellumino::NextClusterBoundary(text, pos);
        if (next <= pos || next > text.size())
            vellumino::fuzz::Fail("the next boundary lies ahead", text, text.substr(pos));
        clusters.push_back(text.substr(pos, next - pos));
        pos = next;
    }
    return clusters;
}

std::vector<std::u16string_view> WithoutBareSpaces(const std::vector<std::u16string_view>& clusters)
{
    std::vector<std::u16string_view> kept;
    for (const auto cluster : clusters) {
        if (cluster != u" ")
            kept.push_back(cluster);
    }
    return kept;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace vellumino;
    using fuzz::Check;

    const std::u16string input = fuzz::UnitsFromBytes(data, size);
    const std::u16string once = AddSpaces(input);

    Check(!fuzz::IsValidUtf16(input) || fuzz::IsValidUtf16(once), "valid UTF-16 stays valid", input, once);
    Check(AddSpaces(once) == once, "a second run changes nothing", input, once);

    const auto inputClusters = Clusters(input);
    const auto outputClusters = Clusters(once);
    // Every space it put is a cluster of its own in the output, between two
    // of the input's clusters, and none of those is split or merged.
    Check(WithoutBareSpaces(outputClusters) == WithoutBareSpaces(inputClusters),
          "the clusters stay whole and in order", input, once);
    // Between two clusters, one bare space, or none where it would not stand alone.
    for (std::size_t i = 0; i < outputClusters.size(); ++i) {
        if (outputClusters[i] == u" ") {
            Check(i > 0 && i + 1 < outputClusters.size() && outputClusters[i + 1] != u" ",
                  "a bare space stands alone between two characters", input, once);
        } else if (i + 1 < outputClusters.size() && outputClusters[i + 1] != u" ") {
            Check(!SpaceWouldStandAlone(outputClusters[i], outputClusters[i + 1]),
                  "a space goes between every two characters it can stand between", input, once);
        }
    }

    // Where every cluster is a single character, spacing by clusters is
    // spacing by characters, which needs no cluster rules to check.
    if (inputClusters.size() == fuzz::Characters(input).size())
        Check(once == Spread(input), "the characters stay in order, one space apart", input, once);
    return 0;
}
