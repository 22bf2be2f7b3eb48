#include "hand_cursor.h"

#include <vector>

namespace vellumino::win32 {

namespace {

// The XBM files are C source: hand_bits, hand_mask_bits and their sizes.
#include "hand-mask.xbm"
#include "hand.xbm"

static_assert(hand_width == 32 && hand_height == 32 && hand_mask_width == 32 && hand_mask_height == 32);

// XBM rows are bytes, least significant bit first.
bool Bit(const unsigned char* bits, int x, int y)
{
    constexpr int rowBytes = (hand_width + 7) / 8;
    return (bits[y * rowBytes + x / 8] >> (x % 8)) & 1;
}

}  // namespace

HCURSOR CreateHandCursor(int size)
{
    if (size <= 0)
        return nullptr;
    // A monochrome cursor is one bitmap twice as tall: the AND plane over the
    // XOR plane, rows padded to 16 bits, most significant bit first.
    const int rowBytes = (size + 15) / 16 * 2;
    std::vector<BYTE> planes(static_cast<std::size_t>(rowBytes * size * 2), 0);
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            const int sx = x * hand_width / size, sy = y * hand_height / size;
            const bool inside = Bit(hand_mask_bits, sx, sy);
            const bool outline = Bit(hand_bits, sx, sy);
            // Outside the mask the screen shows through (AND 1, XOR 0); inside,
            // the outline is black (0, 0) and the hand white (0, 1).
            const auto mask = static_cast<BYTE>(0x80 >> (x % 8));
            if (!inside)
                planes[static_cast<std::size_t>(y * rowBytes + x / 8)] |= mask;
            else if (!outline)
                planes[static_cast<std::size_t>((size + y) * rowBytes + x / 8)] |= mask;
        }
    }
    HBITMAP bitmap = CreateBitmap(size, size * 2, 1, 1, planes.data());
    if (!bitmap)
        return nullptr;
    ICONINFO info{};
    info.fIcon = FALSE;
    info.xHotspot = static_cast<DWORD>(MulDiv(hand_x_hot, size, hand_width));
    info.yHotspot = static_cast<DWORD>(MulDiv(hand_y_hot, size, hand_height));
    info.hbmMask = bitmap;
    HCURSOR cursor = CreateIconIndirect(&info);
    DeleteObject(bitmap);
    return cursor;
}

}  // namespace vellumino::win32
