// Unicode's own data files, as Debian's unicode-data installs them
// (VELLUMINO_UNICODE_DIR, set by tests/CMakeLists.txt), for the tests that
// check the cluster rules against Unicode's test files.
#pragma once

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace vellumino::testing_unicode {

// The lines of a file under the data directory; a test that finds none fails.
inline std::vector<std::string> Lines(const std::string& relative)
{
    const std::string path = std::string(VELLUMINO_UNICODE_DIR) + "/" + relative;
    std::ifstream stream(path);
    std::vector<std::string> lines;
    for (std::string line; std::getline(stream, line);)
        lines.push_back(line);
    EXPECT_FALSE(lines.empty()) << path << " is missing: install Debian's unicode-data";
    return lines;
}

inline void AppendCodePoint(std::u16string& text, char32_t codePoint)
{
    if (codePoint < 0x10000) {
        text.push_back(static_cast<char16_t>(codePoint));
    } else {
        text.push_back(static_cast<char16_t>(0xD800 + ((codePoint - 0x10000) >> 10)));
        text.push_back(static_cast<char16_t>(0xDC00 + ((codePoint - 0x10000) & 0x3FF)));
    }
}

// "1F468 200D 1F469" as UTF-16.
inline std::u16string FromHex(const std::string& codePoints)
{
    std::istringstream stream(codePoints);
    std::u16string text;
    for (std::string hex; stream >> hex;)
        AppendCodePoint(text, static_cast<char32_t>(std::stoul(hex, nullptr, 16)));
    return text;
}

}  // namespace vellumino::testing_unicode
