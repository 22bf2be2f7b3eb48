// What each painted button does, the same for every front-end: a front-end
// only turns a click on a zone into RunZoneCommand.
#pragma once

#include <span>
#include <string_view>

#include "layout.h"
#include "signature_text.h"

namespace vellumino {

class SignatureWindow;

// Runs the zone's one command. A text command reads the field afresh and
// writes its result back through the window's one write function; an output
// action does its own reading and writing.
void RunZoneCommand(layout::ZoneId zone, SignatureWindow& window);

// The reverse commands have no painted button of their own, and each button
// keeps its one-click meaning: a right-click on the button a command undoes
// offers it in a small menu, and the field's own menu offers them all.
struct MenuCommand {
    layout::ZoneId zone;        // the button whose right-click offers it
    std::u16string_view label;  // the menu entry, which is also its accessible name
    SignatureText (*run)(SignatureView);
};

std::span<const MenuCommand> MenuCommands();

// Reads the field afresh and writes the result through the one write function.
void RunMenuCommand(const MenuCommand& command, SignatureWindow& window);

}  // namespace vellumino
