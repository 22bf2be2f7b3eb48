// The desktop services the output actions use: the system clipboard and the
// default browser. No toolkit in this header: each OS has one file behind it.
#pragma once

#include <cstdint>
#include <string_view>

namespace vellumino::platform {

// `owner` is the native handle of the window asking (an HWND on Windows):
// Windows lets only the clipboard's owner put data on it.

// Replaces whatever the system clipboard holds with the text, as plain text,
// in one change, so no clipboard watcher ever sees it empty. Returns false
// when the platform says nothing was put there (another program may hold the
// clipboard); that is never fatal.
bool CopyToClipboard(std::uintptr_t owner, std::u16string_view text);

// Asks the desktop to show the address in the default browser. Returns at
// once; whether a browser started is not known and not reported.
void OpenUrl(std::uintptr_t owner, const char* url);

}  // namespace vellumino::platform
