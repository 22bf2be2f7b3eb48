// Writes the page's HTML and its layout's CSS from the window's own
// rectangles, at build time, so that the field, the captions and the zones
// stand on the painted picture before any script has run:
//
//   make_page INDEX_TEMPLATE CSS_TEMPLATE INDEX_OUT CSS_OUT
//
// The templates' @CONTROLS@ and @LAYOUT@ are filled in; every length is a
// multiple of --u, one pixel of the picture (smaller on a screen narrower
// than the picture).
#include <algorithm>
#include <fstream>
#include <iostream>
#include <iterator>
#include <numeric>
#include <sstream>
#include <string>
#include <vector>

#include "html.h"
#include "layout.h"
#include "skin.h"
#include "utf8.h"
#include "zone_table.h"

namespace {

using namespace vellumino;

std::string Length(int pixels)
{
    return "calc(" + std::to_string(pixels) + " * var(--u))";
}

std::string Rule(std::string_view id, const layout::Rect& r)
{
    return "#" + std::string(id) + " { left: " + Length(r.x) + "; top: " + Length(r.y) + "; width: " +
           Length(r.width) + "; height: " + Length(r.height) + "; }\n";
}

// The zones in the order they are painted, row by row from the top and
// left to right in a row: the order Tab takes them in. Zones whose heights
// overlap stand in one row.
std::vector<std::size_t> PaintedOrder()
{
    std::vector<std::size_t> order(layout::kZones.size());
    std::iota(order.begin(), order.end(), std::size_t{0});
    const auto rect = [](std::size_t i) { return layout::kZones[i].rect; };
    std::sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) { return rect(a).y < rect(b).y; });
    std::vector<int> row(layout::kZones.size());
    int bottom = 0;
    int rows = -1;
    for (const std::size_t i : order) {
        if (rows < 0 || rect(i).y >= bottom)
            ++rows;
        bottom = std::max(bottom, rect(i).y + rect(i).height);
        row[i] = rows;
    }
    std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
        return row[a] != row[b] ? row[a] < row[b] : rect(a).x < rect(b).x;
    });
    return order;
}

std::string Controls()
{
    // The field first, as the desktop window has it, then the zones as painted.
    std::string html = "<input id=\"Text1\" type=\"text\" value=\"" + EscapeHtml(*ToUtf8(skin::kInitialSignature)) +
                       "\" aria-label=\"签名\" autocomplete=\"off\" autocapitalize=\"off\" autocorrect=\"off\""
                       " spellcheck=\"false\" enterkeyhint=\"done\" />\n";
    for (const char* caption : {"Label1", "Label2"})
        html += "<div id=\"" + std::string(caption) +
                "\" class=\"caption\" aria-live=\"off\" aria-atomic=\"true\"></div>\n";
    for (const std::size_t i : PaintedOrder()) {
        const layout::Zone& zone = layout::kZones[i];
        // The title is the tooltip and, for a screen reader, the description:
        // a right-click or a long press opens a menu nobody would guess.
        const std::string hint = *ToUtf8(ZoneMenuHint(zone.id));
        const std::string menu =
            hint.empty() ? "" : " title=\"" + EscapeHtml(hint) + "\" aria-haspopup=\"menu\"";
        html += "<button id=\"" + std::string(zone.objectName) + "\" class=\"zone\" type=\"button\" data-zone=\"" +
                std::to_string(i) + "\" aria-label=\"" + EscapeHtml(zone.caption) + "\"" + menu + "></button>\n";
    }
    return html;
}

std::string Layout()
{
    std::ostringstream css;
    // One pixel of the picture follows the reader's text size (1rem is 16
    // pixels unless they chose larger), shrinks to fit a narrow phone, but
    // not below what fits the narrowest one, 320 pixels wide: on a phone,
    // zoom narrows the screen the page sees, and what is zoomed must grow,
    // even if it then scrolls sideways, since the painted window cannot
    // reflow. A tablet's touch screen gets it as large as fits, up to the
    // sharp picture's twice.
    constexpr int kNarrowest = 320;
    const int width = layout::kClientWidth;
    const int height = layout::kClientHeight;
    css << ":root { --u: max(min(1rem / 16, 100vw / " << width << "), 1rem / 16 * " << kNarrowest << " / " << width
        << "); }\n";
    css << "@media (pointer: coarse) and (min-width: 600px) {\n  :root { --u: max(1rem / 16, min(2rem / 16, (100vw - "
           "48px) / "
        << width << ", (100vh - 48px) / " << height << ")); }\n}\n";
    css << "#Form1 { width: " << Length(layout::kClientWidth) << "; height: " << Length(layout::kClientHeight)
        << "; background-size: " << Length(layout::kPictureWidth) << ' ' << Length(layout::kPictureHeight)
        << "; }\n";
    css << Rule("Text1", layout::kText1) << Rule("Label1", layout::kLabel1) << Rule("Label2", layout::kLabel2);
    for (const layout::Zone& zone : layout::kZones)
        css << Rule(zone.objectName, zone.rect);
    // The browser's own hand, where the desktop windows show theirs.
    for (const layout::Zone& zone : layout::kZones)
        if (ShowsHandCursor(zone.id))
            css << '#' << zone.objectName << " { cursor: pointer; }\n";
    return css.str();
}

bool Fill(const char* templatePath, const char* outputPath, std::string_view placeholder, const std::string& with)
{
    std::ifstream in(templatePath, std::ios::binary);
    std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    const std::size_t at = text.find(placeholder);
    if (!in || at == std::string::npos) {
        std::cerr << templatePath << ": no " << placeholder << '\n';
        return false;
    }
    text.replace(at, placeholder.size(), with);
    std::ofstream out(outputPath, std::ios::binary);
    out << text;
    out.close();
    return static_cast<bool>(out);
}

}  // namespace

int main(int argc, char* argv[])
{
    if (argc != 5) {
        std::cerr << "usage: " << argv[0] << " INDEX_TEMPLATE CSS_TEMPLATE INDEX_OUT CSS_OUT\n";
        return 2;
    }
    return Fill(argv[1], argv[3], "@CONTROLS@", Controls()) && Fill(argv[2], argv[4], "@LAYOUT@", Layout()) ? 0
                                                                                                           : 1;
}
