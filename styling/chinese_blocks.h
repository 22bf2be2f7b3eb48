// Each direction's tables as the conversion reads them: its character
// table, its groups, its packed phrases and words, and its characters'
// costs (chinese_blocks.cpp, where the compiler checks what it can of them:
// the character table and the groups, in 256-unit blocks).
#pragma once

#include <cstddef>
#include <span>
#include <string_view>

#include "chinese_tables.h"

namespace vellumino::chinese {

constexpr std::size_t kUnits = 0x10000;

// The character table's pairs packed as ForEachPair reads them.
struct DirectionTables {
    std::span<const unsigned char> forms;
    std::u16string_view groupRuns;
    std::span<const unsigned char> phrases, costs;
};

const DirectionTables& TraditionalTables();
const DirectionTables& SimplifiedTables();

}  // namespace vellumino::chinese
