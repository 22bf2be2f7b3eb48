// Windows: the national-language service maps the text through code page 936,
// one character at a time; MapThroughCodePage936 decides which of its answers
// to take.
#include <windows.h>

#include <optional>
#include <string>

#include "codepage_mapping.h"
#include "traditional.h"

namespace vellumino::platform {
namespace {

static_assert(kMapToTraditionalChinese == LCMAP_TRADITIONAL_CHINESE);
static_assert(kMapToSimplifiedChinese == LCMAP_SIMPLIFIED_CHINESE);

constexpr UINT kCodePage = 936;
constexpr LCID kChinesePrc = 2052;

class NationalLanguageService final : public CodePage936Service {
public:
    // A best-fit or default character ('?') would corrupt the text, so those
    // count as unrepresentable, and so does anything that does not read back.
    std::optional<std::string> Encode(char16_t unit) override
    {
        const wchar_t wide = static_cast<wchar_t>(unit);
        char bytes[2] = {};
        BOOL usedDefault = FALSE;
        const int length =
            WideCharToMultiByte(kCodePage, WC_NO_BEST_FIT_CHARS, &wide, 1, bytes, 2, nullptr, &usedDefault);
        if (length <= 0 || usedDefault) {
            return std::nullopt;
        }
        wchar_t back = 0;
        if (MultiByteToWideChar(kCodePage, MB_ERR_INVALID_CHARS, bytes, length, &back, 1) != 1 ||
            back != wide) {
            return std::nullopt;
        }
        return std::string(bytes, static_cast<std::size_t>(length));
    }

    // Room for one unit only: bytes that stand for two fail for want of space.
    std::optional<char16_t> Decode(std::string_view bytes) override
    {
        wchar_t wide = 0;
        if (MultiByteToWideChar(kCodePage, MB_ERR_INVALID_CHARS, bytes.data(), static_cast<int>(bytes.size()),
                                &wide, 1) != 1) {
            return std::nullopt;
        }
        return static_cast<char16_t>(wide);
    }

    int ByteLength(const char* bytes) override { return lstrlenA(bytes); }

    int Map(std::uint32_t flags, const char* source, char* destination, int length) override
    {
        return LCMapStringA(kChinesePrc, flags, source, length, destination, length);
    }
};

}  // namespace

std::u16string MapToTraditional(std::u16string_view text)
{
    NationalLanguageService service;
    return MapThroughCodePage936(text, service, kMapToTraditionalChinese);
}

std::u16string MapToSimplified(std::u16string_view text)
{
    NationalLanguageService service;
    return MapThroughCodePage936(text, service, kMapToSimplifiedChinese);
}

}  // namespace vellumino::platform
