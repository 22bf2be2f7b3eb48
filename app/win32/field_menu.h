// The field's right-click menu: the system's own edit entries, in the
// system's language, then the window's own entries below a separator.
#pragma once

#include <windows.h>

#include <span>

#include "zone_table.h"

namespace vellumino::win32 {

// `commands` is MenuCommands(): each gets the id firstId plus its place
// there, whether it sits in the menu or in one of its submenus; the standard
// entries keep ids below 0x1000. The caller destroys the menu.
HMENU CreateFieldMenu(HWND edit, std::span<const MenuCommand> commands, UINT firstId);

// Appends one of the window's own commands to `menu` as the entry `id`.
void AppendMenuCommand(HMENU menu, const MenuCommand& command, UINT id);

// Carries out a standard entry chosen from that menu; false if `id` is not one.
bool RunStandardEntry(HWND edit, UINT id);

}  // namespace vellumino::win32
