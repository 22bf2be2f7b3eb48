// The hand shown over the zones that ShowsHandCursor names, as painted in
// assets/: two one-bit planes and the hot spot on the fingertip. Every
// front-end that draws its own pointer builds it from here, scaled as the
// user's pointer is, so neither the drawing nor the hot spot is written twice.
#pragma once

namespace vellumino::hand {

struct Bitmap {
    int width;
    int height;
    int hotX;
    int hotY;
    // XBM rows: (width + 7) / 8 bytes each, least significant bit first.
    const unsigned char* shape;  // 1 where the outline is (black)
    const unsigned char* mask;   // 1 where the hand is (outline or white)
};

const Bitmap& Hand();

// Whether the pixel at (x, y) of a plane is set.
bool Bit(const Bitmap& bitmap, const unsigned char* plane, int x, int y);

}  // namespace vellumino::hand
