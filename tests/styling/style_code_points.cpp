// Prints, one style a line, its label, a tab and every code point it can
// write (hexadecimal, space-separated), for the test that looks them up in
// the fonts of a phone: what the styles write comes from the styles
// themselves, never from a second list.
#include <cstdio>
#include <string>

#include "catalogue.h"
#include "utf8.h"

int main()
{
    for (const vellumino::Style& style : vellumino::StyleCatalogue()) {
        const auto label = vellumino::ToUtf8(style.label);
        if (!label)
            return 1;
        std::string line = *label + "\t";
        for (const char32_t c : vellumino::StyleCodePoints(style)) {
            char hex[16];
            std::snprintf(hex, sizeof hex, "%s%04X", line.back() == '\t' ? "" : " ",
                          static_cast<unsigned>(c));
            line += hex;
        }
        std::printf("%s\n", line.c_str());
    }
    return 0;
}
