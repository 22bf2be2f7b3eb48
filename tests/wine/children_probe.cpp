// Prints, for each child of the top-level window titled "Vellumino", one line:
//     CLASS LEFT TOP RIGHT BOTTOM TEXT
// with the rectangle in the parent's client coordinates and the text in UTF-8.
// This is what a screen reader learns from the window texts alone; Wine has
// no cross-process MSAA to ask instead.
#include <windows.h>

#include <string>

namespace {

void Write(const std::wstring& text, DWORD stream = STD_OUTPUT_HANDLE)
{
    const int bytes = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0,
                                          nullptr, nullptr);
    std::string utf8(static_cast<std::size_t>(bytes), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), utf8.data(), bytes, nullptr,
                        nullptr);
    // Not through the C runtime, which would turn "\n" into "\r\n".
    DWORD written = 0;
    WriteFile(GetStdHandle(stream), utf8.data(), static_cast<DWORD>(utf8.size()), &written, nullptr);
}

// The text through WM_GETTEXT, which the system carries across processes;
// GetWindowText would give only a caption, never an edit control's contents.
std::wstring TextOf(HWND window)
{
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutW(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 5000, &length))
        return L"<no answer>";
    std::wstring text(length + 1, L'\0');
    DWORD_PTR copied = 0;
    SendMessageTimeoutW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()),
                        SMTO_ABORTIFHUNG, 5000, &copied);
    text.resize(copied);
    return text;
}

BOOL CALLBACK PrintChild(HWND child, LPARAM parent)
{
    // Grandchildren (an edit's own parts, if any) are not the window's controls.
    if (GetParent(child) != reinterpret_cast<HWND>(parent))
        return TRUE;
    wchar_t className[256] = {};
    GetClassNameW(child, className, 256);
    RECT rect{};
    GetWindowRect(child, &rect);
    MapWindowPoints(HWND_DESKTOP, reinterpret_cast<HWND>(parent), reinterpret_cast<POINT*>(&rect), 2);
    Write(std::wstring(className) + L' ' + std::to_wstring(rect.left) + L' ' + std::to_wstring(rect.top) + L' ' +
          std::to_wstring(rect.right) + L' ' + std::to_wstring(rect.bottom) + L' ' + TextOf(child) + L'\n');
    return TRUE;
}

}  // namespace

int wmain()
{
    // Aware of each monitor's DPI, as screen readers are, so that the
    // rectangles come in the window's own pixels rather than scaled to 96 DPI.
    SetThreadDpiAwarenessContext(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2);
    const HWND window = FindWindowW(nullptr, L"Vellumino");
    if (!window) {
        Write(L"no window titled Vellumino\n", STD_ERROR_HANDLE);
        return 1;
    }
    EnumChildWindows(window, &PrintChild, reinterpret_cast<LPARAM>(window));
    return 0;
}
