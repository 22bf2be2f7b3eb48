#include "field_menu.h"

#include <string>

#include "signature_edit.h"

namespace vellumino::win32 {

namespace {

// The system's edit menu names each entry by the message it sends to the
// field; the undo entry is WM_UNDO on Windows and EM_UNDO in Wine.
struct StandardEntry {
    UINT id;
    UINT alternativeId;
    const wchar_t* fallback;  // should the system's menu be missing
    bool separatorAfter;
};

constexpr StandardEntry kStandardEntries[] = {
    {WM_UNDO, EM_UNDO, L"撤销(&U)", true},   {WM_CUT, WM_CUT, L"剪切(&T)", false},
    {WM_COPY, WM_COPY, L"复制(&C)", false},  {WM_PASTE, WM_PASTE, L"粘贴(&P)", false},
    {WM_CLEAR, WM_CLEAR, L"删除(&D)", true}, {EM_SETSEL, EM_SETSEL, L"全选(&A)", false},
};

// user32's own edit menu: resource 1 on Windows, "EDITMENU" in Wine.
HMENU LoadSystemEditMenu()
{
    HMODULE user32 = GetModuleHandleW(L"user32.dll");
    HMENU menu = LoadMenuW(user32, MAKEINTRESOURCEW(1));
    if (!menu)
        menu = LoadMenuW(user32, L"EDITMENU");
    return menu;
}

std::wstring EntryText(HMENU system, const StandardEntry& entry)
{
    HMENU popup = system ? GetSubMenu(system, 0) : nullptr;
    wchar_t text[128] = {};
    for (const UINT id : {entry.id, entry.alternativeId}) {
        if (popup && GetMenuStringW(popup, id, text, static_cast<int>(std::size(text)), MF_BYCOMMAND) > 0)
            return text;
    }
    return entry.fallback;
}

}  // namespace

HMENU CreateFieldMenu(HWND edit, std::span<const MenuCommand> commands, UINT firstId)
{
    HMENU menu = CreatePopupMenu();
    if (!menu)
        return nullptr;

    DWORD start = 0, end = 0;
    SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    const bool selection = end > start;
    const auto length = static_cast<DWORD>(GetWindowTextLengthW(edit));
    const bool enabled[] = {
        SendMessageW(edit, EM_CANUNDO, 0, 0) != 0,       selection, selection,
        ClipboardHoldsText(edit), selection, length > 0 && (start > 0 || end < length),
    };

    HMENU system = LoadSystemEditMenu();
    for (std::size_t i = 0; i < std::size(kStandardEntries); ++i) {
        const StandardEntry& entry = kStandardEntries[i];
        AppendMenuW(menu, MF_STRING | (enabled[i] ? MF_ENABLED : MF_GRAYED), entry.id,
                    EntryText(system, entry).c_str());
        if (entry.separatorAfter)
            AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    }
    if (system)
        DestroyMenu(system);

    AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    const auto idOf = [&](const MenuCommand& command) {
        return firstId + static_cast<UINT>(&command - commands.data());
    };
    for (const FieldSubmenu& submenu : FieldSubmenus()) {
        HMENU styles = CreatePopupMenu();
        if (!styles)
            continue;
        for (const MenuCommand& command : submenu.entries)
            AppendMenuCommand(styles, command, idOf(command));
        const std::wstring label(submenu.label.begin(), submenu.label.end());
        // Destroyed with the menu it is part of.
        AppendMenuW(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(styles), label.c_str());
    }
    for (const MenuCommand& command : commands) {
        if (command.inFieldMenu)
            AppendMenuCommand(menu, command, idOf(command));
    }
    return menu;
}

void AppendMenuCommand(HMENU menu, const MenuCommand& command, UINT id)
{
    // The label is a view; the menu wants it NUL-terminated.
    const std::wstring label(command.label.begin(), command.label.end());
    AppendMenuW(menu, MF_STRING, id, label.c_str());
}

bool RunStandardEntry(HWND edit, UINT id)
{
    switch (id) {
        case WM_UNDO:
        case WM_CUT:
        case WM_COPY:
        case WM_PASTE:  // through the field's own paste, held to the limit
        case WM_CLEAR:
            SendMessageW(edit, id, 0, 0);
            return true;
        case EM_SETSEL:
            SendMessageW(edit, EM_SETSEL, 0, -1);
            return true;
        default:
            return false;
    }
}

}  // namespace vellumino::win32
