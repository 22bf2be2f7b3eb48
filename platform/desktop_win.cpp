// Windows: the clipboard through the user32 calls, the signature page through
// the shell, both owned by the program's window.
#include <windows.h>
// For the COM constants only; nothing is linked from it.
#include <objbase.h>

#include <cstring>
#include <string>

#include "desktop.h"
#include "system_library_win.h"

namespace vellumino::platform {

namespace {

// Another program may hold the clipboard for a moment (a clipboard manager
// reading what was just put there, or Wine bringing in another X client's
// text); keep trying for up to half a second, then give up.
bool OpenClipboardPatiently(HWND owner)
{
    for (int attempt = 0; attempt < 20; ++attempt) {
        if (OpenClipboard(owner))
            return true;
        Sleep(25);
    }
    return false;
}

}  // namespace

bool CopyToClipboard(std::uintptr_t owner, std::u16string_view text)
{
    // The block is filled before the clipboard is opened, to hold it as
    // briefly as possible.
    const SIZE_T bytes = (text.size() + 1) * sizeof(wchar_t);
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes);
    if (!memory)
        return false;
    void* data = GlobalLock(memory);
    if (!data) {
        GlobalFree(memory);
        return false;
    }
    std::memcpy(data, text.data(), text.size() * sizeof(wchar_t));
    static_cast<wchar_t*>(data)[text.size()] = L'\0';
    GlobalUnlock(memory);

    if (!OpenClipboardPatiently(reinterpret_cast<HWND>(owner))) {
        GlobalFree(memory);
        return false;
    }
    // Emptying and filling in the one open: a watcher woken by the change
    // finds the signature, never an empty clipboard. Emptying also makes this
    // window the owner, which SetClipboardData requires.
    const bool copied = EmptyClipboard() && SetClipboardData(CF_UNICODETEXT, memory);
    // Once set, the clipboard owns the block; otherwise it is still ours.
    if (!copied)
        GlobalFree(memory);
    CloseClipboard();
    return copied;
}

std::u16string ClipboardText(std::uintptr_t owner)
{
    std::u16string text;
    // Not worth waiting for an owner that is busy when there is no text to wait for.
    if (!IsClipboardFormatAvailable(CF_UNICODETEXT) || !OpenClipboardPatiently(reinterpret_cast<HWND>(owner)))
        return text;
    if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
        if (const auto* units = static_cast<const char16_t*>(GlobalLock(data))) {
            // Never read past the block, even if it lacks its terminator.
            const SIZE_T capacity = GlobalSize(data) / sizeof(char16_t);
            SIZE_T length = 0;
            while (length < capacity && units[length] != 0)
                ++length;
            text.assign(units, length);
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
    return text;
}

namespace {

// Users copy the program file alone, so it carries the page in its resources
// and writes it out on each click, over the copy of the click before: one
// file in the temporary folder that always matches this program. Empty if it
// cannot be written.
std::wstring WriteSignaturePage()
{
    HRSRC found = FindResourceW(nullptr, L"SIGNATURE_PAGE", MAKEINTRESOURCEW(10));  // RT_RCDATA
    HGLOBAL loaded = found ? LoadResource(nullptr, found) : nullptr;
    const void* bytes = loaded ? LockResource(loaded) : nullptr;
    const DWORD size = found ? SizeofResource(nullptr, found) : 0;
    wchar_t folder[MAX_PATH + 1];
    const DWORD length = GetTempPathW(MAX_PATH + 1, folder);
    if (!bytes || size == 0 || length == 0 || length > MAX_PATH)
        return {};
    std::wstring path(folder, length);
    path += L"Vellumino-signatures.html";
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return {};
    DWORD written = 0;
    const bool whole = WriteFile(file, bytes, size, &written, nullptr) && written == size;
    CloseHandle(file);
    return whole ? path : std::wstring();
}

}  // namespace

void ShowSignaturePage(std::uintptr_t owner)
{
    // The shell and COM are loaded on the first click of the link, not at
    // start-up: they bring a dozen libraries the window itself never needs,
    // and under Wine starting them takes longer than the window does.
    using CoInitializeExFn = HRESULT(WINAPI*)(void*, DWORD);
    using ShellExecuteWFn =
        HINSTANCE(WINAPI*)(HWND, const wchar_t*, const wchar_t*, const wchar_t*, const wchar_t*, INT);
    static const auto shellExecute = [] {
        // The shell may hand the page to an extension that needs COM.
        if (const auto coInitializeEx = SystemFunction<CoInitializeExFn>(L"ole32.dll", "CoInitializeEx"))
            coInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
        return SystemFunction<ShellExecuteWFn>(L"shell32.dll", "ShellExecuteW");
    }();
    // A half-written page is never shown; the shell's result is deliberately
    // unused: a missing browser is not the user's problem to hear about.
    const std::wstring page = WriteSignaturePage();
    if (shellExecute && !page.empty())
        shellExecute(reinterpret_cast<HWND>(owner), L"open", page.c_str(), nullptr, nullptr, SW_SHOW);
}

}  // namespace vellumino::platform
