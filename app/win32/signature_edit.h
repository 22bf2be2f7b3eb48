// The signature field: a standard single-line EDIT whose user input is held
// to the input limit on every path, as on Linux.
#pragma once

#include <windows.h>

namespace vellumino::win32 {

// Subclasses `edit`: typing and IME commits follow the shared typing rule
// (stopping at the limit at a whole character, control characters swallowed
// without a beep), every paste key and the context menu go through one
// fitted paste, Backspace, Delete and Ctrl+Backspace take whole characters
// by the shared editing rules, and Ctrl+A selects all.
void HoldToInputLimit(HWND edit);

// Whether the clipboard holds text that a paste would insert.
bool ClipboardHoldsText(HWND owner);

}  // namespace vellumino::win32
