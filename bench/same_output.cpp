// Writes every conversion of each file given (UTF-8 text, or else raw UTF-16) to its output,
// so that two builds of other tables can be compared byte for byte:
//   same_output FILE... > OUT   (with each build; then cmp the two)
//   same_output --large-text > FILE   (the 1 MiB text the mappings are timed on, as UTF-8)
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include "large_text.h"
#include "styling.h"
#include "utf8.h"

namespace {

// A file that cannot be read would compare equal in both builds, and prove nothing.
bool Read(const char* path, std::u16string& units)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    std::string bytes{std::istreambuf_iterator<char>(in), {}};
    if (auto text = vellumino::FromUtf8(bytes)) {
        units = *text;
        return true;
    }
    for (std::size_t k = 0; k + 1 < bytes.size(); k += 2)
        units += char16_t((unsigned char)bytes[k] | (unsigned char)bytes[k + 1] << 8);
    return true;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc == 2 && std::string(argv[1]) == "--large-text") {
        const auto text = vellumino::ToUtf8(vellumino::bench::LargeText());
        fwrite(text->data(), 1, text->size(), stdout);
        return 0;
    }
    for (int i = 1; i < argc; ++i) {
        std::u16string units;
        if (!Read(argv[i], units)) {
            std::fprintf(stderr, "same_output: cannot read %s\n", argv[i]);
            return 1;
        }
        for (auto out : {vellumino::ToTraditional(units), vellumino::ToSimplified(units),
                         vellumino::ToSimplified(vellumino::ToTraditional(units)),
                         vellumino::ToMartian(units), vellumino::FromMartian(units)})
            fwrite(out.data(), 2, out.size(), stdout);
    }
}
