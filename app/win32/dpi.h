// Per-monitor DPI on every Windows from 7 on: the calls that came with
// Windows 10 are looked up at run time, with the older system-wide answer in
// their place where they are missing.
#pragma once

#include <windows.h>

namespace vellumino::win32 {

inline constexpr UINT kBaseDpi = 96;

// From pixels at 96 DPI to pixels at `dpi`.
inline int Scale(int value, UINT dpi)
{
    return MulDiv(value, static_cast<int>(dpi), static_cast<int>(kBaseDpi));
}

inline RECT Scale(int x, int y, int width, int height, UINT dpi)
{
    return {Scale(x, dpi), Scale(y, dpi), Scale(x + width, dpi), Scale(y + height, dpi)};
}

// The DPI of the monitor the window is on, or the system's where this
// Windows cannot tell monitors apart.
UINT DpiOf(HWND window);

// The outer rectangle of a window whose client area is `client`, its frame
// measured at `dpi`.
RECT FrameAround(const RECT& client, DWORD style, DWORD exStyle, UINT dpi);

// The outer size of a window whose client area is `width` x `height`.
SIZE WindowSizeFor(int width, int height, DWORD style, DWORD exStyle, UINT dpi);

// The system's message font (Microsoft YaHei UI on a Chinese Windows) at 9
// points, scaled to `dpi`.
HFONT CreateMessageFont(UINT dpi);

// The side of the mouse pointer at `dpi`, in pixels, with the size the user
// chose for it.
int PointerSize(UINT dpi);

}  // namespace vellumino::win32
