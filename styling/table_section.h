// Where the conversions' large tables go. On the web they are cut out of the
// core by the build (app/web/split_wasm.cpp) and fetched apart, so that the
// page is ready for input before they arrive: that tool finds them by their
// sections' names, and the core by the linker's __start_ and __stop_ symbols
// for each. Elsewhere they stay in the program's read-only data.
#pragma once

namespace vellumino {

// The sets of tables a command may read, one section and one file each on
// the web, as bits: the page fetches each set on its own, the reverse
// direction's only once a command reads it. A set's bit is its place in the
// core's list of sections (app/web/main.cpp) and in the page's list of files
// (app/web/tables.js).
enum TableSet : unsigned {
    kNoTables = 0,
    kToTraditionalTables = 1u << 0,
    kToSimplifiedTables = 1u << 1,
};

}  // namespace vellumino

#if defined(__EMSCRIPTEN__)
#define VELLUMINO_TABLE(set) [[gnu::section("vellumino_tables_" #set)]]
#else
#define VELLUMINO_TABLE(set)
#endif
