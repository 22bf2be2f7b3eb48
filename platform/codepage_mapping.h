// Mapping text one character at a time through a service that only speaks
// code page 936, as the Windows national-language service does for the
// simplified/traditional conversions. The service sits behind an interface so
// that the guards around it run, and are tested, without Windows.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace vellumino::platform {

// The LCMapString flags, with the values winnls.h gives them, so that callers
// need no <windows.h>.
inline constexpr std::uint32_t kMapToSimplifiedChinese = 0x02000000;   // LCMAP_SIMPLIFIED_CHINESE
inline constexpr std::uint32_t kMapToTraditionalChinese = 0x04000000;  // LCMAP_TRADITIONAL_CHINESE

class CodePage936Service {
public:
    virtual ~CodePage936Service() = default;

    // The exact code-page-936 bytes of one code unit, or nothing when the code
    // page can only approximate it or not carry it at all.
    virtual std::optional<std::string> Encode(char16_t unit) = 0;

    // The one code unit that the bytes stand for, or nothing when they are
    // invalid or stand for more or fewer than one.
    virtual std::optional<char16_t> Decode(std::string_view bytes) = 0;

    // The length of the NUL-terminated bytes, as lstrlenA counts it.
    virtual int ByteLength(const char* bytes) = 0;

    // Maps `length` bytes of `source` into the `length` bytes of `destination`,
    // returning what LCMapStringA returns: the bytes written, or 0 on failure.
    virtual int Map(std::uint32_t flags, const char* source, char* destination, int length) = 0;
};

// Each code unit of `text` mapped on its own. One that the code page cannot
// carry, that the service would lengthen, shorten or drop, or whose result the
// service would map once more, stays as it was: the result has the length of
// `text`, and mapping it again with the same flags changes nothing.
std::u16string MapThroughCodePage936(std::u16string_view text, CodePage936Service& service,
                                     std::uint32_t flags);

}  // namespace vellumino::platform
