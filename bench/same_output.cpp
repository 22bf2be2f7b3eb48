// Writes every conversion of each file given (UTF-8 text, or else raw UTF-16) to its output,
// so that two builds of other tables can be compared byte for byte:
//   same_output FILE... > OUT   (with each build; then cmp the two)
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include "styling.h"
#include "utf8.h"
int main(int argc, char** argv)
{
    for (int i = 1; i < argc; ++i) {
        std::ifstream in(argv[i], std::ios::binary);
        std::string bytes{std::istreambuf_iterator<char>(in), {}};
        std::u16string units;
        if (auto text = vellumino::FromUtf8(bytes))
            units = *text;
        else
            for (std::size_t k = 0; k + 1 < bytes.size(); k += 2)
                units += char16_t((unsigned char)bytes[k] | (unsigned char)bytes[k + 1] << 8);
        for (auto out : {vellumino::ToTraditional(units), vellumino::ToSimplified(units),
                         vellumino::ToSimplified(vellumino::ToTraditional(units)),
                         vellumino::ToMartian(units), vellumino::FromMartian(units)})
            fwrite(out.data(), 2, out.size(), stdout);
    }
}
