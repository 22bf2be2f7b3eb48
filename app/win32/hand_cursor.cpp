#include "hand_cursor.h"

#include <vector>

#include "hand_bitmap.h"

namespace vellumino::win32 {

HCURSOR CreateHandCursor(int size)
{
    if (size <= 0)
        return nullptr;
    // A monochrome cursor is one bitmap twice as tall: the AND plane over the
    // XOR plane, rows padded to 16 bits, most significant bit first.
    const hand::Bitmap& hand = hand::Hand();
    const int rowBytes = (size + 15) / 16 * 2;
    std::vector<BYTE> planes(static_cast<std::size_t>(rowBytes * size * 2), 0);
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            const int sx = x * hand.width / size, sy = y * hand.height / size;
            const bool inside = hand::Bit(hand, hand.mask, sx, sy);
            const bool outline = hand::Bit(hand, hand.shape, sx, sy);
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
    info.xHotspot = static_cast<DWORD>(MulDiv(hand.hotX, size, hand.width));
    info.yHotspot = static_cast<DWORD>(MulDiv(hand.hotY, size, hand.height));
    info.hbmMask = bitmap;
    HCURSOR cursor = CreateIconIndirect(&info);
    DeleteObject(bitmap);
    return cursor;
}

}  // namespace vellumino::win32
