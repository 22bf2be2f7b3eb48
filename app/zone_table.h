// What each painted button does, the same for every front-end: a front-end
// only turns a click on a zone into RunZoneCommand.
#pragma once

#include <span>
#include <string_view>

#include "catalogue.h"
#include "layout.h"
#include "signature_text.h"
#include "table_section.h"

namespace vellumino {

class SignatureWindow;

// Runs the zone's one command. A text command reads the field afresh and
// writes its result back through the window's one write function; an output
// action does its own reading and writing.
void RunZoneCommand(layout::ZoneId zone, SignatureWindow& window);

// Only the link shows the hand; every other zone keeps the standard pointer,
// since a painted button that changed the pointer would look like a link.
bool ShowsHandCursor(layout::ZoneId zone);

// The tables of the Chinese conversion that the zone's command reads, as a
// set. The web page receives those tables after the core, since they are
// most of its bytes, each direction's apart: a command waits there for the
// sets it reads and no other, every other answers at once (and a copy or the
// link must, inside the tap that asked for it). The Martian maps are small
// and stay in the core.
TableSet TablesReadBy(layout::ZoneId zone);

// The reverse commands and the catalogue's styles have no painted button of
// their own, and each button keeps its one-click meaning: a right-click (the
// menu key, Shift+F10, a long press) on a button offers its reverse first,
// then the styles of its family and 去除样式; the field's own menu offers
// them all (FieldSubmenus).
struct MenuCommand {
    layout::ZoneId zone;        // the button whose menu offers it
    std::u16string_view label;  // the menu entry, which is also its accessible name
    SignatureText (*run)(SignatureView);  // a reverse command or 去除样式; null for a style
    const Style* style;                   // the style it applies, else null
    TableSet tables;                      // what it reads, as TablesReadBy says of a zone
    bool inFieldMenu;
};

// What the command makes of `text`, for the field or for a preview.
SignatureText MenuResult(const MenuCommand& command, SignatureView text);

// Every menu command, each zone's together in the order its menu lists
// them; the field's menu lists those inFieldMenu in this order too. A
// command's place in this list identifies it in a toolkit's menu.
std::span<const MenuCommand> MenuCommands();

// The command at `place` in MenuCommands(), null past its end: how a
// toolkit's menu id or a page's number comes back to its command.
const MenuCommand* MenuCommandAt(std::size_t place);

// What a right-click on `zone` offers: a stretch of MenuCommands(), empty
// where the zone has no menu (then no menu of the window's own shows).
std::span<const MenuCommand> ZoneMenu(layout::ZoneId zone);

// The field's own menu lists, below the toolkit's edit entries, each
// button's styles in a submenu of its own, then the reverse commands: the
// desktops' buttons never take the focus, so the menu key and Shift+F10 on
// the field are the keyboard's way to the styles.
struct FieldSubmenu {
    std::u16string_view label;
    std::span<const MenuCommand> entries;  // a stretch of MenuCommands()
};
std::span<const FieldSubmenu> FieldSubmenus();

// The zone's tooltip and accessible description: that its menu exists and
// what it holds, since nobody guesses a right-click. Empty without a menu.
std::u16string_view ZoneMenuHint(layout::ZoneId zone);

// Reads the field afresh and writes the result through the one write function.
void RunMenuCommand(const MenuCommand& command, SignatureWindow& window);

}  // namespace vellumino
