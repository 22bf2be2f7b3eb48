// Where the conversions' large tables go. On the web they are cut out of the
// core by the build (app/web/split_wasm.cpp) and fetched apart, so that the
// page is ready for input before they arrive: that tool finds them by this
// section's name, and the core by the linker's __start_ and __stop_ symbols
// for it. Elsewhere they stay in the program's read-only data.
#pragma once

#if defined(__EMSCRIPTEN__)
#define VELLUMINO_TABLE [[gnu::section("vellumino_tables")]]
#else
#define VELLUMINO_TABLE
#endif
