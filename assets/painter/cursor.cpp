#include "cursor.h"

#include <array>
#include <string_view>

namespace vellumino::painter {
namespace {

// '#' black outline, '.' white inside, anything else transparent.
constexpr std::array<std::string_view, kCursorSize> kHand = {
    "     ####",
    "    #....#",
    "    #....#",
    "    #....#",
    "    #....#",
    "    #....#",
    "    #....####",
    "    #....#....###",
    "    #....#....#...#",
    "    #....#....#...###",
    "    #....#....#...#..#",
    " ####....#........#..#",
    "#....#...............#",
    "#.....#..............#",
    "#......#.............#",
    " #...................#",
    "  #..................#",
    "  #..................#",
    "   #................#",
    "    #...............#",
    "    #...............#",
    "     #.............#",
    "     #.............#",
    "      #############",
};

QByteArray xbm(const char* name, bool (*bit)(int x, int y))
{
    QByteArray out;
    out += "#define " + QByteArray(name) + "_width " + QByteArray::number(kCursorSize) + '\n';
    out += "#define " + QByteArray(name) + "_height " + QByteArray::number(kCursorSize) + '\n';
    out += "#define " + QByteArray(name) + "_x_hot " + QByteArray::number(kHotX) + '\n';
    out += "#define " + QByteArray(name) + "_y_hot " + QByteArray::number(kHotY) + '\n';
    out += "static unsigned char " + QByteArray(name) + "_bits[] = {";
    int count = 0;
    for (int y = 0; y < kCursorSize; ++y) {
        for (int byte = 0; byte < kCursorSize / 8; ++byte) {
            unsigned value = 0;
            for (int b = 0; b < 8; ++b) {
                if (bit(byte * 8 + b, y))
                    value |= 1u << b;  // XBM keeps the leftmost pixel in the lowest bit
            }
            out += count % 12 == 0 ? "\n   " : " ";
            out += "0x" + QByteArray::number(value, 16).rightJustified(2, '0');
            if (++count < kCursorSize * kCursorSize / 8)
                out += ',';
        }
    }
    out += "};\n";
    return out;
}

}  // namespace

CursorPixel handPixel(int x, int y)
{
    if (y < 0 || y >= kCursorSize || x < 0 || x >= kCursorSize)
        return CursorPixel::Clear;
    const std::string_view row = kHand[static_cast<std::size_t>(y)];
    if (static_cast<std::size_t>(x) >= row.size())
        return CursorPixel::Clear;
    switch (row[static_cast<std::size_t>(x)]) {
        case '#':
            return CursorPixel::Black;
        case '.':
            return CursorPixel::White;
        default:
            return CursorPixel::Clear;
    }
}

QByteArray handShapeXbm()
{
    return xbm("hand", [](int x, int y) { return handPixel(x, y) == CursorPixel::Black; });
}

QByteArray handMaskXbm()
{
    return xbm("hand_mask", [](int x, int y) { return handPixel(x, y) != CursorPixel::Clear; });
}

QImage composeCursor(const QImage& shape, const QImage& mask)
{
    const QImage s = shape.convertToFormat(QImage::Format_RGB32);
    const QImage m = mask.convertToFormat(QImage::Format_RGB32);
    QImage out(s.size(), QImage::Format_ARGB32);
    for (int y = 0; y < out.height(); ++y) {
        for (int x = 0; x < out.width(); ++x) {
            // In a QBitmap, colour1 (a set bit) reads back as black.
            const bool shapeSet = qGray(s.pixel(x, y)) < 128;
            const bool opaque = qGray(m.pixel(x, y)) < 128;
            QRgb c = qRgba(0, 0, 0, 0);
            if (opaque)
                c = shapeSet ? qRgb(0, 0, 0) : qRgb(255, 255, 255);
            else if (shapeSet)
                c = qRgb(255, 0, 0);  // shape without mask: inverted on some systems, never wanted
            out.setPixel(x, y, c);
        }
    }
    return out;
}

}  // namespace vellumino::painter
