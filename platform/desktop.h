// The desktop services the output actions use: the system clipboard and the
// default browser. No toolkit in this header: each OS has one file behind it.
#pragma once

#include <cstdint>
#include <string_view>

namespace vellumino::platform {

// `owner` is the native handle of the window asking (an HWND on Windows):
// Windows lets only the clipboard's owner put data on it.

// Empties the system clipboard, whoever holds it.
void ClearClipboard(std::uintptr_t owner);

// Puts the text on the system clipboard as plain text. The clipboard may be
// held by another program; that is never fatal.
void PutOnClipboard(std::uintptr_t owner, std::u16string_view text);

// Asks the desktop to show the program's own page of ready-made signatures in
// the default browser, offline: on Linux the installed copy (or the build
// tree's), on Windows the copy the program file carries. Returns at once; if
// there is no page or nothing to show it, nothing happens.
void ShowSignaturePage(std::uintptr_t owner);

}  // namespace vellumino::platform
