// The pointing hand over the link, drawn from the core's two-colour bitmaps as
// on Linux and scaled with the window and the user's pointer size.
#pragma once

#include <windows.h>

namespace vellumino::win32 {

// The hand and its hot spot, both scaled to `size` pixels square. The caller destroys it with DestroyCursor.
HCURSOR CreateHandCursor(int size);

}  // namespace vellumino::win32
