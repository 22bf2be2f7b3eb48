// The painted background, compiled into the program as PNG and decoded in
// the process at the size the monitor's DPI asks for. No COM: under Wine,
// starting COM for the imaging component took longer than the whole rest of
// the start-up.
#pragma once

#include <windows.h>

namespace vellumino::win32 {

// A top-down 32-bit DIB section of exactly `width` x `height`, or null if the
// resource is missing or cannot be decoded (the window then shows button face).
HBITMAP LoadPicture(HINSTANCE instance, const wchar_t* resource, int width, int height);

// Paints `area` of a control whose top-left corner stands at `origin` in the
// picture held by `picture` (a memory DC), so that the control looks as if
// it were not there; button face where there is no picture.
void PaintPictureUnder(HDC target, const RECT& area, HDC picture, POINT origin);

}  // namespace vellumino::win32
