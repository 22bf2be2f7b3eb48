#include "dpi.h"

#include "system_library_win.h"

namespace vellumino::win32 {

namespace {

using platform::SystemFunction;

template <typename Function>
Function User32(const char* name)
{
    return SystemFunction<Function>(L"user32.dll", name);
}

using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
using GetDpiForMonitorFn = HRESULT(WINAPI*)(HMONITOR, int, UINT*, UINT*);
using AdjustWindowRectExForDpiFn = BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT);
using SystemParametersInfoForDpiFn = BOOL(WINAPI*)(UINT, UINT, void*, UINT, UINT);
using RegGetValueWFn = LSTATUS(WINAPI*)(HKEY, const wchar_t*, const wchar_t*, DWORD, DWORD*, void*, DWORD*);

constexpr int kEffectiveDpi = 0;  // MDT_EFFECTIVE_DPI

// The message font's height at 96 DPI, in pixels: 9 points, what the field's
// 16 pixels were drawn for.
constexpr int kFontPixels = 12;

// The pointer's size at 96 DPI, in pixels, when the user has not changed it.
constexpr int kPointerPixels = 32;

UINT SystemDpi()
{
    HDC screen = GetDC(nullptr);
    const int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSY) : 0;
    if (screen)
        ReleaseDC(nullptr, screen);
    return dpi > 0 ? static_cast<UINT>(dpi) : kBaseDpi;
}

}  // namespace

UINT DpiOf(HWND window)
{
    static const auto getDpiForWindow = User32<GetDpiForWindowFn>("GetDpiForWindow");
    if (getDpiForWindow && window) {
        if (const UINT dpi = getDpiForWindow(window))
            return dpi;
    }
    // Windows 8.1 and the first Windows 10 know each monitor's DPI, but only
    // through shcore.
    static const auto getDpiForMonitor = SystemFunction<GetDpiForMonitorFn>(L"shcore.dll", "GetDpiForMonitor");
    if (getDpiForMonitor && window) {
        UINT x = 0, y = 0;
        if (SUCCEEDED(getDpiForMonitor(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), kEffectiveDpi, &x,
                                       &y)) &&
            y > 0)
            return y;
    }
    return SystemDpi();
}

RECT FrameAround(const RECT& client, DWORD style, DWORD exStyle, UINT dpi)
{
    static const auto adjustForDpi = User32<AdjustWindowRectExForDpiFn>("AdjustWindowRectExForDpi");
    RECT rect = client;
    if (!adjustForDpi || !adjustForDpi(&rect, style, FALSE, exStyle, dpi))
        AdjustWindowRectEx(&rect, style, FALSE, exStyle);
    return rect;
}

SIZE WindowSizeFor(int width, int height, DWORD style, DWORD exStyle, UINT dpi)
{
    const RECT rect = FrameAround({0, 0, width, height}, style, exStyle, dpi);
    return {rect.right - rect.left, rect.bottom - rect.top};
}

HFONT CreateMessageFont(UINT dpi)
{
    static const auto parametersForDpi = User32<SystemParametersInfoForDpiFn>("SystemParametersInfoForDpi");
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof(metrics);
    if (!(parametersForDpi && parametersForDpi(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0, dpi)) &&
        !SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0))
        return nullptr;
    // The face is the system's; the size is not. "Make text bigger" enlarges
    // the message font, and the field and captions are fixed rectangles of
    // the picture: a larger font would be cut off in the 16-pixel field.
    LOGFONTW font = metrics.lfMessageFont;
    font.lfHeight = -Scale(kFontPixels, dpi);
    font.lfWidth = 0;
    return CreateFontIndirectW(&font);
}

int PointerSize(UINT dpi)
{
    // Windows 10 keeps the pointer size chosen in the settings here; older
    // Windows, and a user who never changed it, have the standard 32.
    static const auto regGetValue = SystemFunction<RegGetValueWFn>(L"advapi32.dll", "RegGetValueW");
    DWORD base = 0;
    DWORD bytes = sizeof(base);
    if (!regGetValue ||
        regGetValue(HKEY_CURRENT_USER, L"Control Panel\\Cursors", L"CursorBaseSize", RRF_RT_REG_DWORD, nullptr,
                    &base, &bytes) != ERROR_SUCCESS ||
        base < kPointerPixels || base > 256)
        base = kPointerPixels;
    return Scale(static_cast<int>(base), dpi);
}

}  // namespace vellumino::win32
