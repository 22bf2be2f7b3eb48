// The pointing hand over the link, drawn from the same two-colour bitmaps as
// on Linux and scaled with the window.
#pragma once

#include <windows.h>

namespace vellumino::win32 {

// A hand of 32 x 32 pixels at 96 DPI, hot spot on the fingertip at (6, 0),
// both scaled to `dpi`. The caller destroys it with DestroyCursor.
HCURSOR CreateHandCursor(UINT dpi);

}  // namespace vellumino::win32
