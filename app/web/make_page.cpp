// Writes the page's HTML and its layout's CSS from the window's own
// rectangles, at build time, so that the field, the captions and the zones
// stand on the painted picture before any script has run:
//
//   make_page INDEX_TEMPLATE CSS_TEMPLATE INDEX_OUT CSS_OUT
//
// The templates' @CONTROLS@ and @LAYOUT@ are filled in; every length is a
// multiple of --u, one pixel of the picture (smaller on a screen narrower
// than the picture).
#include <fstream>
#include <iostream>
#include <iterator>
#include <sstream>
#include <string>

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

std::string Controls()
{
    // In tab order: the field, then the zones, as the desktop window creates them.
    std::string html = "<input id=\"Text1\" type=\"text\" value=\"" + EscapeHtml(*ToUtf8(skin::kInitialSignature)) +
                       "\" aria-label=\"签名\" autocomplete=\"off\" autocapitalize=\"off\" autocorrect=\"off\""
                       " spellcheck=\"false\" enterkeyhint=\"done\" />\n";
    for (const char* caption : {"Label1", "Label2"})
        html += "<div id=\"" + std::string(caption) +
                "\" class=\"caption\" aria-live=\"off\" aria-atomic=\"true\"></div>\n";
    for (std::size_t i = 0; i < layout::kZones.size(); ++i) {
        const layout::Zone& zone = layout::kZones[i];
        html += "<button id=\"" + std::string(zone.objectName) + "\" class=\"zone\" type=\"button\" aria-label=\"" +
                EscapeHtml(zone.caption) + "\"></button>\n";
    }
    return html;
}

std::string Layout()
{
    std::ostringstream css;
    css << ":root { --u: min(1px, 100vw / " << layout::kClientWidth << "); }\n";
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
