// Prints, for each child of the top-level window titled "Vellumino", one line:
//     CLASS LEFT TOP RIGHT BOTTOM TEXT
// with the rectangle in the parent's client coordinates and the text in UTF-8.
// This is what a screen reader learns from the window texts alone; Wine has
// no cross-process MSAA to ask instead.
//
// `children_probe events SECONDS` listens instead, as a screen reader does,
// to the window's controls for SECONDS: it prints "listening" once ready,
// then one line per event a control raises about itself,
//     name CLASS TEXT     its name changed (EVENT_OBJECT_NAMECHANGE)
//     live CLASS TEXT     its live region changed (EVENT_OBJECT_LIVEREGIONCHANGED)
// with the text the control holds when the event is heard.
//
// `children_probe serve` prints the children anew, then an empty line, for
// each line it reads, until its input ends: one Wine start for many looks.
#include <windows.h>

#include <cwchar>
#include <string>
#include <string_view>

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

HWND window = nullptr;

void CALLBACK OnEvent(HWINEVENTHOOK, DWORD event, HWND control, LONG object, LONG child, DWORD, DWORD)
{
    if (object != OBJID_CLIENT || child != CHILDID_SELF || !control || GetParent(control) != window)
        return;
    const wchar_t* kind = event == EVENT_OBJECT_NAMECHANGE ? L"name" : event == 0x8019 ? L"live" : nullptr;
    if (!kind)
        return;
    wchar_t className[256] = {};
    GetClassNameW(control, className, 256);
    Write(std::wstring(kind) + L' ' + className + L' ' + TextOf(control) + L'\n');
}

int Listen(DWORD seconds)
{
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    // Out of context, as screen readers mostly listen: the events come here
    // as messages, after the fact.
    const HWINEVENTHOOK hook = SetWinEventHook(EVENT_OBJECT_NAMECHANGE, 0x8019, nullptr, &OnEvent, process, 0,
                                               WINEVENT_OUTOFCONTEXT);
    if (!hook) {
        Write(L"cannot listen\n", STD_ERROR_HANDLE);
        return 1;
    }
    Write(L"listening\n");
    const ULONGLONG end = GetTickCount64() + seconds * 1000ULL;
    for (ULONGLONG now = GetTickCount64(); now < end; now = GetTickCount64()) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(end - now), QS_ALLINPUT);
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageW(&message);
    }
    UnhookWinEvent(hook);
    return 0;
}

int Serve()
{
    const HANDLE input = GetStdHandle(STD_INPUT_HANDLE);
    char byte = 0;
    DWORD read = 0;
    while (ReadFile(input, &byte, 1, &read, nullptr) && read == 1) {
        if (byte != '\n')
            continue;
        EnumChildWindows(window, &PrintChild, reinterpret_cast<LPARAM>(window));
        Write(L"\n");
    }
    return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    // Aware of each monitor's DPI, as screen readers are, so that the
    // rectangles come in the window's own pixels rather than scaled to 96 DPI.
    SetThreadDpiAwarenessContext(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2);
    window = FindWindowW(nullptr, L"Vellumino");
    if (!window) {
        Write(L"no window titled Vellumino\n", STD_ERROR_HANDLE);
        return 1;
    }
    if (argc > 2 && std::wstring_view(argv[1]) == L"events")
        return Listen(static_cast<DWORD>(std::wcstoul(argv[2], nullptr, 10)));
    if (argc > 1 && std::wstring_view(argv[1]) == L"serve")
        return Serve();
    EnumChildWindows(window, &PrintChild, reinterpret_cast<LPARAM>(window));
    return 0;
}
