#include "signature_edit.h"

// For GCS_RESULTSTR only; nothing is linked from it.
#include <imm.h>

#include <string>

#include "input_limit.h"

namespace vellumino::win32 {

namespace {

// The EDIT's own procedure, kept in the control's user data; the subclass
// keeps no other state of its own but this one flag.
constexpr wchar_t kDroppedHighSurrogate[] = L"Vellumino.DroppedHigh";

WNDPROC OriginalProc(HWND edit)
{
    return reinterpret_cast<WNDPROC>(GetWindowLongPtrW(edit, GWLP_USERDATA));
}

struct Selection {
    DWORD start = 0, end = 0;
};

Selection SelectionOf(HWND edit)
{
    Selection selection;
    SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&selection.start),
                 reinterpret_cast<LPARAM>(&selection.end));
    return selection;
}

std::ptrdiff_t Room(HWND edit)
{
    const Selection selection = SelectionOf(edit);
    const std::ptrdiff_t length = GetWindowTextLengthW(edit);
    return kInputLimit - (length - static_cast<std::ptrdiff_t>(selection.end - selection.start));
}

void ReplaceSelection(HWND edit, const SignatureText& text)
{
    // TRUE: the user can undo it.
    SendMessageW(edit, EM_REPLACESEL, TRUE,
                 reinterpret_cast<LPARAM>(reinterpret_cast<const wchar_t*>(text.c_str())));
}

SignatureText ClipboardText(HWND owner)
{
    SignatureText text;
    if (!IsClipboardFormatAvailable(CF_UNICODETEXT) || !OpenClipboard(owner))
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

void PasteFitted(HWND edit)
{
    if (GetWindowLongPtrW(edit, GWL_STYLE) & ES_READONLY)
        return;
    const SignatureText incoming = ClipboardText(edit);
    const Selection selection = SelectionOf(edit);
    if (incoming.empty() && selection.end == selection.start)
        return;
    ReplaceSelection(edit, FitToRoom(incoming, Room(edit)));
}

// Whether a typed code unit may go in. A surrogate pair arrives as two
// messages; its high half is let in only if the low half fits too, and a low
// half whose high half was refused is refused with it.
bool AcceptTyped(HWND edit, char16_t unit)
{
    const bool high = IsHighSurrogate(unit);
    const bool low = IsLowSurrogate(unit);
    if (low && RemovePropW(edit, kDroppedHighSurrogate))
        return false;
    RemovePropW(edit, kDroppedHighSurrogate);
    if (unit < 0x20 || unit == 0x7F)
        return true;  // control keys: backspace, Ctrl+Z, Ctrl+C and the like
    const std::ptrdiff_t room = Room(edit);
    if (high && room < 2) {
        SetPropW(edit, kDroppedHighSurrogate, reinterpret_cast<HANDLE>(1));
        return false;
    }
    return room >= 1;
}

// The EDIT inserts an input method's finished text itself, past any check
// made on its way in; cut what it inserted to what fits afterwards instead.
LRESULT CommitComposition(HWND edit, WPARAM wParam, LPARAM lParam)
{
    const std::ptrdiff_t room = Room(edit);
    const DWORD start = SelectionOf(edit).start;
    const LRESULT result = CallWindowProcW(OriginalProc(edit), edit, WM_IME_COMPOSITION, wParam, lParam);
    const DWORD caret = SelectionOf(edit).start;
    if (GetWindowTextLengthW(edit) <= kInputLimit || caret <= start)
        return result;
    std::u16string text(static_cast<std::size_t>(GetWindowTextLengthW(edit)) + 1, u'\0');
    text.resize(static_cast<std::size_t>(
        GetWindowTextW(edit, reinterpret_cast<wchar_t*>(text.data()), static_cast<int>(text.size()))));
    if (caret > text.size())
        return result;
    const SignatureView inserted = SignatureView(text).substr(start, caret - start);
    const SignatureText fitted = FitToRoom(inserted, room);
    if (fitted.size() < inserted.size()) {
        SendMessageW(edit, EM_SETSEL, start, caret);
        ReplaceSelection(edit, fitted);
    }
    return result;
}

LRESULT CALLBACK EditProc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
        case WM_KEYDOWN:
            // Older EDIT controls (and Wine's) have no select-all key.
            if (wParam == 'A' && GetKeyState(VK_CONTROL) < 0 && GetKeyState(VK_MENU) >= 0) {
                SendMessageW(edit, EM_SETSEL, 0, -1);
                return 0;
            }
            break;
        case WM_CHAR:
        case WM_IME_CHAR:
            if (wParam == 0x01)  // Ctrl+A's character: handled above, no beep
                return 0;
            if (!AcceptTyped(edit, static_cast<char16_t>(wParam)))
                return 0;
            break;
        case WM_IME_COMPOSITION:
            if (lParam & GCS_RESULTSTR)
                return CommitComposition(edit, wParam, lParam);
            break;
        case WM_CONTEXTMENU:
            // The window's menu: the standard entries and the reverse commands.
            return SendMessageW(GetParent(edit), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(edit), lParam);
        case WM_PASTE:
            // Ctrl+V, Shift+Insert and the context menu's Paste all end up here.
            PasteFitted(edit);
            return 0;
        case WM_NCDESTROY: {
            const WNDPROC original = OriginalProc(edit);
            RemovePropW(edit, kDroppedHighSurrogate);
            SetWindowLongPtrW(edit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original));
            return CallWindowProcW(original, edit, message, wParam, lParam);
        }
        default:
            break;
    }
    return CallWindowProcW(OriginalProc(edit), edit, message, wParam, lParam);
}

}  // namespace

void HoldToInputLimit(HWND edit)
{
    SetWindowLongPtrW(edit, GWLP_USERDATA, GetWindowLongPtrW(edit, GWLP_WNDPROC));
    SetWindowLongPtrW(edit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&EditProc));
}

}  // namespace vellumino::win32
