#include "hand_bitmap.h"

namespace vellumino::hand {

namespace {

// The XBM files are C source: hand_bits, hand_mask_bits, their sizes and the
// hot spot.
#include "hand-mask.xbm"
#include "hand.xbm"

static_assert(hand_width == hand_mask_width && hand_height == hand_mask_height, "one size for both planes");

constexpr Bitmap kHand{hand_width, hand_height, hand_x_hot, hand_y_hot, hand_bits, hand_mask_bits};

}  // namespace

const Bitmap& Hand()
{
    return kHand;
}

bool Bit(const Bitmap& bitmap, const unsigned char* plane, int x, int y)
{
    const int rowBytes = (bitmap.width + 7) / 8;
    return (plane[y * rowBytes + x / 8] >> (x % 8)) & 1;
}

}  // namespace vellumino::hand
