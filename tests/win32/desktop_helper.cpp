// Plays another program on the same Windows desktop, for the scenarios that
// need one:
//     desktop_helper hold-clipboard SECONDS   keeps the clipboard open, as a
//         slow clipboard reader would; prints "holding" once it has it and
//         "released" when it lets go
//     desktop_helper dark-colours             switches the desktop to dark
//         window and text colours until the session ends
//     desktop_helper title-menu               right-clicks the title bar of the
//         window titled "Vellumino" and prints "menu" if a menu opens within
//         5 s (then closes it), "no menu" otherwise
#include <windows.h>

#include <cwchar>
#include <string_view>

namespace {

void Write(std::string_view text)
{
    DWORD written = 0;
    WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
}

int HoldClipboard(int seconds)
{
    if (!OpenClipboard(nullptr)) {
        Write("cannot open the clipboard\n");
        return 1;
    }
    Write("holding\n");
    Sleep(static_cast<DWORD>(seconds) * 1000);
    CloseClipboard();
    Write("released\n");
    return 0;
}

int DarkColours()
{
    // Window and button faces dark, their text light: what a dark scheme does.
    const int elements[] = {COLOR_WINDOW, COLOR_WINDOWTEXT, COLOR_BTNFACE, COLOR_BTNTEXT};
    const COLORREF colours[] = {RGB(32, 32, 32), RGB(240, 240, 240), RGB(48, 48, 48), RGB(255, 255, 0)};
    if (!SetSysColors(4, elements, colours)) {
        Write("cannot set the colours\n");
        return 1;
    }
    Write("dark\n");
    return 0;
}

BOOL CALLBACK FindMenu(HWND window, LPARAM found)
{
    wchar_t name[16] = {};
    GetClassNameW(window, name, 16);
    if (std::wstring_view(name) == L"#32768" && IsWindowVisible(window)) {
        *reinterpret_cast<HWND*>(found) = window;
        return FALSE;
    }
    return TRUE;
}

HWND OpenMenu()
{
    HWND found = nullptr;
    EnumWindows(&FindMenu, reinterpret_cast<LPARAM>(&found));
    return found;
}

int TitleMenu()
{
    const HWND window = FindWindowW(nullptr, L"Vellumino");
    if (!window) {
        Write("no window titled Vellumino\n");
        return 1;
    }
    // The right-click's message, half way between the frame's top and the
    // client area's: on the title bar whatever the frame's metrics.
    RECT frame{};
    GetWindowRect(window, &frame);
    POINT client{0, 0};
    ClientToScreen(window, &client);
    const POINT at{(frame.left + frame.right) / 2, (frame.top + client.y) / 2};
    PostMessageW(window, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(window), MAKELPARAM(at.x, at.y));
    for (int waited = 0; waited < 100; ++waited) {
        if (const HWND menu = OpenMenu()) {
            Write("menu\n");
            PostMessageW(window, WM_CANCELMODE, 0, 0);
            PostMessageW(menu, WM_KEYDOWN, VK_ESCAPE, 0);
            return 0;
        }
        Sleep(50);
    }
    Write("no menu\n");
    return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    const std::wstring_view command = argc > 1 ? argv[1] : L"";
    if (command == L"hold-clipboard" && argc > 2)
        return HoldClipboard(static_cast<int>(std::wcstol(argv[2], nullptr, 10)));
    if (command == L"dark-colours")
        return DarkColours();
    if (command == L"title-menu")
        return TitleMenu();
    Write("usage: desktop_helper hold-clipboard SECONDS | dark-colours | title-menu\n");
    return 2;
}
