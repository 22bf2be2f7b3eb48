// Code page 936 as glibc's iconv knows it, as an oracle independent of the
// tables and their generator.
#pragma once

#include <iconv.h>

#include <cstddef>
#include <string>

namespace vellumino::testing_gbk {

// The GBK bytes of one code unit as glibc writes them; empty if it cannot.
inline std::string ToGbk(char16_t unit)
{
    const iconv_t converter = iconv_open("GBK", "UTF-16LE");
    char in[2] = {static_cast<char>(unit & 0xFF), static_cast<char>(unit >> 8)};
    char out[8] = {};
    char* inPtr = in;
    char* outPtr = out;
    std::size_t inLeft = sizeof in, outLeft = sizeof out;
    const bool ok = iconv(converter, &inPtr, &inLeft, &outPtr, &outLeft) != static_cast<std::size_t>(-1);
    iconv_close(converter);
    return ok ? std::string(out, sizeof out - outLeft) : std::string();
}

// Every character that GBK writes in two bytes, in code order.
inline std::u16string AllDoubleByteGbk()
{
    const iconv_t converter = iconv_open("UTF-16LE", "GBK");
    std::u16string all;
    for (int lead = 0x81; lead <= 0xFE; ++lead) {
        for (int trail = 0x40; trail <= 0xFE; ++trail) {
            char in[2] = {static_cast<char>(lead), static_cast<char>(trail)};
            unsigned char out[4] = {};
            char* inPtr = in;
            char* outPtr = reinterpret_cast<char*>(out);
            std::size_t inLeft = sizeof in, outLeft = sizeof out;
            iconv(converter, nullptr, nullptr, nullptr, nullptr);
            if (iconv(converter, &inPtr, &inLeft, &outPtr, &outLeft) != static_cast<std::size_t>(-1) &&
                outLeft == 2) {
                all += static_cast<char16_t>(out[0] | out[1] << 8);
            }
        }
    }
    iconv_close(converter);
    return all;
}

}  // namespace vellumino::testing_gbk
