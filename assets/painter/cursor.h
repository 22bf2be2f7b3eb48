// The hand cursor shown over the link line: a 32x32 two-colour pointing hand
// (white hand, black outline) whose fingertip is the hot spot.
#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

namespace vellumino::painter {

inline constexpr int kCursorSize = 32;
inline constexpr int kHotX = 6;
inline constexpr int kHotY = 0;

enum class CursorPixel { Clear, White, Black };

// The hand as drawn, pixel by pixel.
CursorPixel handPixel(int x, int y);

// The two XBM files for QCursor(QBitmap shape, QBitmap mask, hotX, hotY):
// a shape bit of 1 is black, a mask bit of 1 is opaque, so the white inside
// is shape 0 with mask 1.
QByteArray handShapeXbm();
QByteArray handMaskXbm();

// How a cursor made from the shape and mask bitmaps looks, for viewing:
// transparent, white or black pixels.
QImage composeCursor(const QImage& shape, const QImage& mask);

}  // namespace vellumino::painter
