// The desktop services the output actions use: the system clipboard and the
// default browser. No toolkit in this header: each OS has one file behind it.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace vellumino::platform {

// `owner` is the native handle of the window asking (an HWND on Windows):
// Windows lets only the clipboard's owner put data on it.

// Replaces whatever the system clipboard holds with the text, as plain text,
// in one change, so no clipboard watcher ever sees it empty. Returns false
// when the platform says nothing was put there (another program may hold the
// clipboard); that is never fatal.
bool CopyToClipboard(std::uintptr_t owner, std::u16string_view text);

// What the platform can say about a copy when it is asked. A desktop's
// clipboard answers at once; a browser's answers a promise later, and there
// the copy is Pending until the page hands the answer to the window that
// asked (actions' CopyAnswered).
enum class CopyResult { Copied, Failed, Pending };

// CopyToClipboard where the platform may only answer later.
CopyResult StartCopy(std::uintptr_t owner, std::u16string_view text);

// The plain text the system clipboard holds, for a paste; empty when it
// holds none, or when another program keeps it for longer than a copy would
// wait.
std::u16string ClipboardText(std::uintptr_t owner);

// Asks the desktop to show the program's own page of ready-made signatures in
// the default browser, offline: on Linux the installed copy (or the build
// tree's), on Windows the copy the program file carries. Returns at once; if
// there is no page or nothing to show it, nothing happens.
void ShowSignaturePage(std::uintptr_t owner);

}  // namespace vellumino::platform
