// The desktop services the output actions use: the system clipboard and the
// default browser. No Qt in this header, so the Windows shell file needs only
// <windows.h>.
#pragma once

#include <cstdint>
#include <string_view>

namespace vellumino::platform {

// Empties the system clipboard, whoever holds it.
void ClearClipboard();

// Puts the text on the system clipboard as plain text. The clipboard may be
// held by another program; that is never fatal.
void PutOnClipboard(std::u16string_view text);

// Asks the desktop to show the address in the default browser. Returns at
// once; whether a browser started is not known and not reported. `owner` is
// the native handle of the window asking (an HWND on Windows).
void OpenUrl(std::uintptr_t owner, const char* url);

}  // namespace vellumino::platform
