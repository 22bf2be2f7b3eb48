// Writes the window's layout as plain lines, for the shell scripts that
// click zones and check rectangles, and for any front-end that cannot
// include a C++ header:
//
//   client WIDTH HEIGHT
//   picture WIDTH HEIGHT
//   NAME LEFT TOP WIDTH HEIGHT              (Text1, Label1, Label2, FieldFrame, Portrait)
//   NAME LEFT TOP WIDTH HEIGHT CURSOR CAPTION   (the zones, in tab order; CURSOR is hand or arrow)
//
// in pixels of the client area at 96 dpi, UTF-8, one space between fields.
#include <fstream>
#include <iostream>

#include "layout.h"
#include "zone_table.h"

namespace {

using namespace vellumino;

void Write(std::ostream& out, std::string_view name, const layout::Rect& r)
{
    out << name << ' ' << r.x << ' ' << r.y << ' ' << r.width << ' ' << r.height;
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
    out.close();
    return out ? 0 : 1;
}
