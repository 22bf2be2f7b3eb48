// What each painted button does, the same for every front-end: a front-end
// only turns a click on a zone into RunZoneCommand.
#pragma once

#include "layout.h"

namespace vellumino {

class SignatureWindow;

// Runs the zone's one command. A text command reads the field afresh and
// writes its result back through the window's one write function; an output
// action does its own reading and writing.
void RunZoneCommand(layout::ZoneId zone, SignatureWindow& window);

}  // namespace vellumino
