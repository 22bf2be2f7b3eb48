// The character tables and the groups as the conversion reads them: in
// 256-unit blocks (chinese_blocks.cpp, where the compiler builds and checks
// them), with the packed phrase lists and costs of each direction.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

namespace vellumino::chinese {

constexpr std::size_t kUnits = 0x10000;
constexpr std::size_t kBlock = 256;
using Distances = std::array<char16_t, kBlock>;

// For each block of 256 units, which of `distance` holds its slots; a slot
// holds the distance from the unit down to its form or to the first of its
// group.
struct Blocks {
    std::span<const std::uint8_t, kBlock> block;
    std::span<const Distances> distance;
};

// One direction's tables: its characters' forms and groups, its packed
// phrases and words, the runs of its groups and of its characters' costs.
struct DirectionTables {
    Blocks forms, groups;
    std::u16string_view phrases, groupRuns, costRuns;
};

const DirectionTables& TraditionalTables();
const DirectionTables& SimplifiedTables();

}  // namespace vellumino::chinese
