// The signature field: a standard single-line EDIT whose user input is held
// to the input limit on every path, as on Linux.
#pragma once

#include <windows.h>

namespace vellumino::win32 {

// Subclasses `edit`: typing and IME commits stop at the limit without ever
// splitting a surrogate pair, every paste (Ctrl+V, Shift+Insert, the context
// menu) is fitted and has its line breaks turned into spaces, and Ctrl+A
// selects all.
void HoldToInputLimit(HWND edit);

}  // namespace vellumino::win32
