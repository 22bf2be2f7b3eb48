#include "signature_edit.h"

// For GCS_RESULTSTR only; nothing is linked from it.
#include <imm.h>

#include <algorithm>
#include <string>

#include "desktop.h"
#include "editing.h"

namespace vellumino::win32 {

namespace {

// The EDIT's own procedure, kept in the control's user data; the subclass
// keeps no other state of its own but the first half of a character typed
// in two messages, until its second half comes.
constexpr wchar_t kPendingHalf[] = L"Vellumino.PendingHalf";

WNDPROC OriginalProc(HWND edit)
{
    return reinterpret_cast<WNDPROC>(GetWindowLongPtrW(edit, GWLP_USERDATA));
}

struct Selection {
    DWORD start = 0, end = 0;
    bool empty() const { return start == end; }
};

Selection SelectionOf(HWND edit)
{
    Selection selection;
    SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&selection.start),
                 reinterpret_cast<LPARAM>(&selection.end));
    return selection;
}

SignatureText TextOf(HWND edit)
{
    SignatureText text(static_cast<std::size_t>(GetWindowTextLengthW(edit)) + 1, u'\0');
    text.resize(static_cast<std::size_t>(
        GetWindowTextW(edit, reinterpret_cast<wchar_t*>(text.data()), static_cast<int>(text.size()))));
    return text;
}

std::ptrdiff_t Room(HWND edit)
{
    const Selection selection = SelectionOf(edit);
    return RoomFor(static_cast<std::size_t>(GetWindowTextLengthW(edit)), selection.end - selection.start);
}

// The EDIT lets its caret and the ends of its selection stop between the
// halves of a character; before anything goes in or comes out there, they
// move to the character's edges.
void SelectWholeCharacters(HWND edit)
{
    const Selection selection = SelectionOf(edit);
    const TextRange whole = WholeCharacters(TextOf(edit), {selection.start, selection.end});
    if (whole.start != selection.start || whole.end != selection.end)
        SendMessageW(edit, EM_SETSEL, whole.start, whole.end);
}

void ReplaceSelection(HWND edit, const SignatureText& text)
{
    // TRUE: the user can undo it.
    SendMessageW(edit, EM_REPLACESEL, TRUE,
                 reinterpret_cast<LPARAM>(reinterpret_cast<const wchar_t*>(text.c_str())));
}

bool ReadOnly(HWND edit)
{
    return (GetWindowLongPtrW(edit, GWL_STYLE) & ES_READONLY) != 0;
}

// The one paste, whichever key or menu asked for it. Empty clipboard text
// leaves the field (and its selection) alone.
void PasteFitted(HWND edit)
{
    if (ReadOnly(edit))
        return;
    const SignatureText incoming = platform::ClipboardText(reinterpret_cast<std::uintptr_t>(edit));
    if (incoming.empty())
        return;
    SelectWholeCharacters(edit);
    ReplaceSelection(edit, FitToRoom(incoming, Room(edit)));
}

// Backspace, Ctrl+Backspace, Delete and Shift+Delete: the EDIT would take one
// code unit, half of an emoji, and cut the character before the caret on
// Shift+Delete without a selection. The core says what each key takes.
void Remove(HWND edit, RemovingKey key)
{
    if (ReadOnly(edit))
        return;
    const Selection selection = SelectionOf(edit);
    const Removal removal = RemovalFor(TextOf(edit), {selection.start, selection.end}, key);
    if (removal.taken.end <= removal.taken.start)
        return;
    // As one step the user can undo.
    SendMessageW(edit, EM_SETSEL, removal.taken.start, removal.taken.end);
    SendMessageW(edit, removal.toClipboard ? WM_CUT : WM_CLEAR, 0, 0);
}

bool Held(int key)
{
    return GetKeyState(key) < 0;
}

// A typed control character. A single-line EDIT refuses most of them with a
// beep (Enter, Esc, Tab, Ctrl+letter) and inserts Ctrl+Backspace's U+007F, so
// only the editing ones reach it; the rest go quietly.
LRESULT TypedControl(HWND edit, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (wParam) {
        case 0x08:  // Backspace, and Ctrl+H
            // Wine types Ctrl+Backspace as 0x08 rather than U+007F; the key
            // itself has already deleted the word.
            if (!(Held(VK_CONTROL) && Held(VK_BACK)))
                Remove(edit, RemovingKey::Backspace);
            return 0;
        case 0x16:  // Ctrl+V
            PasteFitted(edit);
            return 0;
        default:
            if (!IsEditingCharacter(static_cast<char16_t>(wParam)))
                return 0;
            if (wParam != 0x1A)  // a copy or a cut takes whole characters; an undo its own
                SelectWholeCharacters(edit);
            return CallWindowProcW(OriginalProc(edit), edit, message, wParam, lParam);
    }
}

// A typed character outside the BMP arrives as two messages, one per half;
// the first is held back until the second comes, so that the typing rule
// judges the character whole, and both go in or neither does.
LRESULT Typed(HWND edit, UINT message, char16_t unit, LPARAM lParam)
{
    // Whatever comes after a first half ends its wait; a control character
    // drops it.
    const auto pending = static_cast<char16_t>(reinterpret_cast<UINT_PTR>(RemovePropW(edit, kPendingHalf)));
    if (IsControlCharacter(unit))
        return TypedControl(edit, message, unit, lParam);
    if (IsHighSurrogate(unit)) {
        SetPropW(edit, kPendingHalf, reinterpret_cast<HANDLE>(static_cast<UINT_PTR>(unit)));
        return 0;
    }
    SignatureText typed;
    if (pending)
        typed.push_back(pending);
    typed.push_back(unit);
    if (!ReadOnly(edit))
        SelectWholeCharacters(edit);
    for (const char16_t accepted : TypedInsertion(typed, Room(edit)))
        CallWindowProcW(OriginalProc(edit), edit, message, accepted, lParam);
    return 0;
}

// The EDIT inserts an input method's finished text itself, past any check
// made on its way in; cut what it inserted to what fits afterwards instead.
LRESULT CommitComposition(HWND edit, WPARAM wParam, LPARAM lParam)
{
    if (!ReadOnly(edit))
        SelectWholeCharacters(edit);
    const std::ptrdiff_t room = Room(edit);
    const DWORD start = SelectionOf(edit).start;
    const LRESULT result = CallWindowProcW(OriginalProc(edit), edit, WM_IME_COMPOSITION, wParam, lParam);
    const DWORD caret = SelectionOf(edit).start;
    if (caret <= start)
        return result;
    const SignatureText text = TextOf(edit);
    if (caret > text.size())
        return result;
    const SignatureView inserted = SignatureView(text).substr(start, caret - start);
    const SignatureText fitted = TypedInsertion(inserted, room);
    if (fitted != inserted) {
        SendMessageW(edit, EM_SETSEL, start, caret);
        ReplaceSelection(edit, fitted);
    }
    return result;
}

// Keys the EDIT acts on in WM_KEYDOWN, before any character is typed.
bool OnKeyDown(HWND edit, WPARAM key)
{
    const bool control = Held(VK_CONTROL), shift = Held(VK_SHIFT), alt = Held(VK_MENU);
    if (alt)
        return false;
    switch (key) {
        case 'A':  // older EDIT controls (and Wine's) have no select-all key
            if (!control)
                return false;
            SendMessageW(edit, EM_SETSEL, 0, -1);
            return true;
        case VK_INSERT:  // the EDIT pastes for Shift+Insert without a WM_PASTE
            if (!shift || control)
                return false;
            PasteFitted(edit);
            return true;
        case VK_BACK:  // Ctrl+Backspace; its U+007F is swallowed as it comes
            if (!control)
                return false;
            Remove(edit, RemovingKey::WordBefore);
            return true;
        case VK_DELETE:
            if (control) {  // to the end, as the EDIT does it, from a character's edge
                SelectWholeCharacters(edit);
                return false;
            }
            Remove(edit, shift ? RemovingKey::Cut : RemovingKey::Delete);
            return true;
        default:
            return false;
    }
}

LRESULT CALLBACK EditProc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
        case WM_KEYDOWN:
            if (OnKeyDown(edit, wParam))
                return 0;
            break;
        case WM_CHAR:
        case WM_IME_CHAR:
            return Typed(edit, message, static_cast<char16_t>(wParam), lParam);
        case WM_IME_COMPOSITION:
            if (lParam & GCS_RESULTSTR)
                return CommitComposition(edit, wParam, lParam);
            break;
        case WM_CONTEXTMENU:
            // The window's menu: the standard entries and the reverse commands.
            return SendMessageW(GetParent(edit), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(edit), lParam);
        case WM_PASTE:
            PasteFitted(edit);
            return 0;
        case WM_CUT:  // from the menus, Ctrl+X and the keys above
        case WM_CLEAR:
        case WM_COPY:
            SelectWholeCharacters(edit);
            break;
        case WM_NCDESTROY: {
            const WNDPROC original = OriginalProc(edit);
            RemovePropW(edit, kPendingHalf);
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

bool ClipboardHoldsText(HWND owner)
{
    return !platform::ClipboardText(reinterpret_cast<std::uintptr_t>(owner)).empty();
}

}  // namespace vellumino::win32
