// Writes the signature page: every ready-made signature of a plain list, each
// with what the picture buttons make of it, filled into the page's template.
// The variants come from the very commands the buttons run, so the page
// cannot drift from the program.
//
// Usage: vellumino_page_generator SIGNATURES.txt TEMPLATE.html COPY.js OUTPUT.html
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>

#include "signature_page.h"

namespace {

bool ReadFile(const char* path, std::string& contents)
{
    std::ifstream in(path, std::ios::binary);
    if (in)
        contents.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    if (!in.is_open() || in.bad()) {
        std::fprintf(stderr, "vellumino_page_generator: cannot read %s\n", path);
        return false;
    }
    return true;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 5) {
        std::fprintf(stderr, "usage: %s SIGNATURES.txt TEMPLATE.html COPY.js OUTPUT.html\n", argv[0]);
        return 2;
    }
    std::string list, pageTemplate, copyScript;
    if (!ReadFile(argv[1], list) || !ReadFile(argv[2], pageTemplate) || !ReadFile(argv[3], copyScript))
        return 1;
    const vellumino::page::BuiltPage page = vellumino::page::BuildPage(list, argv[1], pageTemplate, copyScript);
    if (page.html.empty()) {
        std::fprintf(stderr, "vellumino_page_generator: %s\n", page.error.c_str());
        return 1;
    }
    // A page cut short by a full disk must not pass for the page.
    std::ofstream out(argv[4], std::ios::binary | std::ios::trunc);
    out << page.html;
    out.close();
    if (!out) {
        std::remove(argv[4]);
        std::fprintf(stderr, "vellumino_page_generator: cannot write %s\n", argv[4]);
        return 1;
    }
    return 0;
}
