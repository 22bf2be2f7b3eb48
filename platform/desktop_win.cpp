// Windows: the clipboard through the user32 calls, the address through the
// shell, both owned by the program's window.
#include <windows.h>
// After <windows.h>, which it needs.
#include <shellapi.h>

#include <cstring>

#include "desktop.h"

namespace vellumino::platform {

namespace {

// Another program may hold the clipboard for a moment (a clipboard manager
// reading what we just put there); try a few times, then give up quietly.
bool OpenClipboardPatiently(HWND owner)
{
    for (int attempt = 0; attempt < 5; ++attempt) {
        if (OpenClipboard(owner))
            return true;
        Sleep(20);
    }
    return false;
}

}  // namespace

void ClearClipboard(std::uintptr_t owner)
{
    if (!OpenClipboardPatiently(reinterpret_cast<HWND>(owner)))
        return;
    EmptyClipboard();
    CloseClipboard();
}

void PutOnClipboard(std::uintptr_t owner, std::u16string_view text)
{
    const SIZE_T bytes = (text.size() + 1) * sizeof(wchar_t);
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes);
    if (!memory)
        return;
    if (void* data = GlobalLock(memory)) {
        std::memcpy(data, text.data(), text.size() * sizeof(wchar_t));
        static_cast<wchar_t*>(data)[text.size()] = L'\0';
        GlobalUnlock(memory);
    }
    if (!OpenClipboardPatiently(reinterpret_cast<HWND>(owner))) {
        GlobalFree(memory);
        return;
    }
    // Emptying makes this window the owner, which SetClipboardData requires.
    EmptyClipboard();
    // On success the clipboard owns the memory; otherwise it is still ours.
    if (!SetClipboardData(CF_UNICODETEXT, memory))
        GlobalFree(memory);
    CloseClipboard();
}

void OpenUrl(std::uintptr_t owner, const char* url)
{
    // The result is deliberately unused: a missing browser is not the
    // user's problem to hear about.
    ShellExecuteA(reinterpret_cast<HWND>(owner), "open", url, "", "", SW_SHOW);
}

}  // namespace vellumino::platform
