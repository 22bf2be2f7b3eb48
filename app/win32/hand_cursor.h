// The pointing hand over the link, drawn from the same two-colour bitmaps as
// on Linux and scaled with the window and the user's pointer size.
#pragma once

#include <windows.h>

namespace vellumino::win32 {

// The 32 x 32 hand, hot spot on the fingertip at (6, 0), both scaled to
// `size` pixels square. The caller destroys it with DestroyCursor.
HCURSOR CreateHandCursor(int size);

}  // namespace vellumino::win32
