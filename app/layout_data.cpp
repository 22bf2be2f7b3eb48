// Writes the window's layout as plain lines, for the shell scripts that
// click zones and check rectangles, and for any front-end that cannot
// include a C++ header:
//
//   client WIDTH HEIGHT
//   picture WIDTH HEIGHT
//   NAME LEFT TOP WIDTH HEIGHT              (Text1, Label1, Label2, FieldFrame, Portrait)
//   NAME LEFT TOP WIDTH HEIGHT CURSOR CAPTION   (the zones, in tab order; CURSOR is hand or arrow)
//   menu NAME LABEL                         (an entry the window adds to the menu of a zone, or of
//                                            Text1 after the toolkit's own entries, in menu order)
//
// in pixels of the client area at 96 dpi, UTF-8, one space between fields.
#include <fstream>
#include <iostream>
#include <span>
#include <vector>

#include "layout.h"
#include "utf8.h"
#include "zone_table.h"

namespace {

using namespace vellumino;

void Write(std::ostream& out, std::string_view name, const layout::Rect& r)
{
    out << name << ' ' << r.x << ' ' << r.y << ' ' << r.width << ' ' << r.height;
}

bool WriteMenu(std::ostream& out, std::string_view name, std::span<const MenuCommand> entries)
{
    for (const MenuCommand& entry : entries) {
        const std::optional<std::string> label = ToUtf8(entry.label);
        if (!label)
            return false;
        out << "menu " << name << ' ' << *label << '\n';
    }
    return true;
}

}  // namespace

int main(int argc, char* argv[])
{
    if (argc != 2) {
        std::cerr << "usage: " << argv[0] << " OUTPUT\n";
        return 2;
    }
    std::ofstream out(argv[1], std::ios::binary);
    out << "client " << layout::kClientWidth << ' ' << layout::kClientHeight << '\n';
    out << "picture " << layout::kPictureWidth << ' ' << layout::kPictureHeight << '\n';
    Write(out, "Text1", layout::kText1);
    out << '\n';
    Write(out, "Label1", layout::kLabel1);
    out << '\n';
    Write(out, "Label2", layout::kLabel2);
    out << '\n';
    Write(out, "FieldFrame", layout::kFieldFrame);
    out << '\n';
    Write(out, "Portrait", layout::kPortrait);
    out << '\n';
    for (const layout::Zone& zone : layout::kZones) {
        Write(out, zone.objectName, zone.rect);
        out << ' ' << (ShowsHandCursor(zone.id) ? "hand" : "arrow") << ' ' << zone.caption << '\n';
    }
    // The field's own entries last in its menu; the styles' submenus above
    // them are the keyboard's way to what the zones' menus hold.
    std::vector<MenuCommand> field;
    for (const MenuCommand& command : MenuCommands()) {
        if (command.inFieldMenu)
            field.push_back(command);
    }
    bool labels = WriteMenu(out, "Text1", field);
    for (const layout::Zone& zone : layout::kZones)
        labels = WriteMenu(out, zone.objectName, ZoneMenu(zone.id)) && labels;
    out.close();
    return out && labels ? 0 : 1;
}
