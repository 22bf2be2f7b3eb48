#include "picture.h"

#include <cstring>
#include <memory>
#include <vector>

// stb's decoder and resizer, PNG only, reading from memory.
#define STBI_ONLY_PNG
#define STBI_NO_STDIO
#define STBI_NO_LINEAR
#define STBI_NO_HDR
#define STB_IMAGE_IMPLEMENTATION
#define STB_IMAGE_RESIZE_IMPLEMENTATION
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wconversion"
#pragma GCC diagnostic ignored "-Wsign-conversion"
#pragma GCC diagnostic ignored "-Wshadow"
#pragma GCC diagnostic ignored "-Wunused-function"
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"
#pragma GCC diagnostic ignored "-Wduplicated-branches"
#include <stb_image.h>
#include <stb_image_resize.h>
#pragma GCC diagnostic pop

namespace vellumino::win32 {

HBITMAP LoadPicture(HINSTANCE instance, const wchar_t* resource, int width, int height)
{
    HRSRC found = FindResourceW(instance, resource, MAKEINTRESOURCEW(10));  // RT_RCDATA
    HGLOBAL loaded = found ? LoadResource(instance, found) : nullptr;
    const auto* data = loaded ? static_cast<const stbi_uc*>(LockResource(loaded)) : nullptr;
    if (!data || width <= 0 || height <= 0)
        return nullptr;

    int sourceWidth = 0, sourceHeight = 0, channels = 0;
    const std::unique_ptr<stbi_uc, decltype(&stbi_image_free)> rgba(
        stbi_load_from_memory(data, static_cast<int>(SizeofResource(instance, found)), &sourceWidth,
                              &sourceHeight, &channels, 4),
        &stbi_image_free);
    if (!rgba)
        return nullptr;

    const std::size_t bytes = static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 4;
    std::vector<stbi_uc> scaled;
    const stbi_uc* pixels = rgba.get();
    if (sourceWidth != width || sourceHeight != height) {
        scaled.resize(bytes);
        if (!stbir_resize_uint8(rgba.get(), sourceWidth, sourceHeight, 0, scaled.data(), width, height, 0, 4))
            return nullptr;
        pixels = scaled.data();
    }

    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top-down, like the PNG's rows
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!bitmap)
        return nullptr;
    // PNG holds red first, a DIB blue first.
    auto* out = static_cast<stbi_uc*>(bits);
    for (std::size_t i = 0; i < bytes; i += 4) {
        out[i] = pixels[i + 2];
        out[i + 1] = pixels[i + 1];
        out[i + 2] = pixels[i];
        out[i + 3] = pixels[i + 3];
    }
    return bitmap;
}

void PaintPictureUnder(HDC target, const RECT& area, HDC picture, POINT origin)
{
    if (picture)
        BitBlt(target, area.left, area.top, area.right - area.left, area.bottom - area.top, picture,
               origin.x + area.left, origin.y + area.top, SRCCOPY);
    else
        FillRect(target, &area, GetSysColorBrush(COLOR_BTNFACE));
}

}  // namespace vellumino::win32
