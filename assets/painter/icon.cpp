#include "icon.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <array>
#include <string_view>

namespace vellumino::painter {
namespace {

// The design grid: every coordinate below is in a 48x48 box.
constexpr qreal kGrid = 48;

// At 16 px a drawing shrunk from the grid turns to mush, so that size is
// placed pixel by pixel: the same palette, dabs and crossed brushes.
constexpr std::array<std::string_view, 16> kIcon16 = {
    ".p............g.", "ppp..........ggg", "Pppp........gggG", ".pppPddddddGggg.",
    "..PpsOOyyoosgG..", "..dossOyyossod..", ".dOOOshoobsoood.", ".dOOoohhbbooood.",
    ".dBBooobboooood.", ".dBBoobbhhooood.", ".dooobboohhoood.", ".doobboooohhood.",
    "..dbboowwoohhd..", "..bbqqqwwqqqhh..", "..b.dddddddd.h..", "................",
};

QRgb icon16Colour(char c)
{
    switch (c) {
        case 'O':
            return qRgb(0xff, 0xb0, 0x4a);  // palette, lit
        case 'o':
            return qRgb(0xfb, 0x94, 0x1f);  // palette
        case 'q':
            return qRgb(0xe8, 0x76, 0x0a);  // palette, shaded
        case 'd':
            return qRgb(0xa4, 0x4e, 0x00);  // palette rim
        case 'B':
            return qRgb(0x2f, 0x8c, 0xf0);  // dabs of paint
        case 'y':
            return qRgb(0xff, 0xf0, 0x5a);
        case 'w':
            return qRgb(0xff, 0xff, 0xff);
        case 'p':
            return qRgb(0xff, 0x5c, 0xa8);  // pink bristles
        case 'P':
            return qRgb(0xb8, 0x2a, 0x70);
        case 'g':
            return qRgb(0x34, 0xc7, 0x5a);  // green bristles
        case 'G':
            return qRgb(0x17, 0x7a, 0x34);
        case 's':
            return qRgb(0xc4, 0xc8, 0xcc);  // ferrules
        case 'h':
            return qRgb(0x6a, 0x30, 0x12);  // handles
        case 'b':
            return qRgb(0x2a, 0x4f, 0x8f);
        default:
            return qRgba(0, 0, 0, 0);
    }
}

QImage icon16()
{
    QImage image(16, 16, QImage::Format_ARGB32);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x)
            image.setPixel(x, y,
                           icon16Colour(kIcon16[static_cast<std::size_t>(y)][static_cast<std::size_t>(x)]));
    return image;
}

// What changes with the size: smaller icons get stouter brushes and fewer dabs.
struct Detail {
    qreal thickness;  // brush width relative to the 48 px drawing
    int dabs;         // dabs of paint shown on the palette
};

Detail detailFor(int size)
{
    if (size <= 24)
        return {1.2, 2};
    if (size <= 32)
        return {1.15, 3};
    return {1.0, 3};
}

QPainterPath paletteShape()
{
    QPainterPath body;
    body.addEllipse(QPointF(0, 0), 21.5, 17);
    QTransform t;
    t.translate(24, 26);
    t.rotate(-12);
    body = t.map(body);
    QPainterPath notch;
    notch.addEllipse(QPointF(39, 38), 7.5, 6.5);
    QPainterPath thumbHole;
    thumbHole.addEllipse(QPointF(37.5, 25.5), 3.2, 3.0);
    return body.subtracted(notch).subtracted(thumbHole);
}

// One brush, drawn along the x axis from the end of its handle (x = 0) to the
// tip of its bristles (x = length), then rotated into place by the caller.
void brush(QPainter& p, qreal length, const Detail& d, qreal outline, QColor handle, QColor bristle)
{
    const qreal k = d.thickness;
    const qreal ferruleStart = length * 0.50;
    const qreal bristleStart = length * 0.63;
    const QColor ink(0x3a, 0x22, 0x10);

    QPainterPath handlePath;
    handlePath.moveTo(1.5 * k, -1.5 * k);
    handlePath.lineTo(ferruleStart, -2.0 * k);
    handlePath.lineTo(ferruleStart, 2.0 * k);
    handlePath.lineTo(1.5 * k, 1.5 * k);
    handlePath.arcTo(QRectF(0, -1.5 * k, 3.0 * k, 3.0 * k), 270, -180);
    handlePath.closeSubpath();
    QLinearGradient wood(0, -2.2 * k, 0, 2.2 * k);
    wood.setColorAt(0, handle.lighter(150));
    wood.setColorAt(0.45, handle);
    wood.setColorAt(1, handle.darker(140));
    p.setPen(QPen(ink, outline, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(wood);
    p.drawPath(handlePath);

    QLinearGradient metal(0, -2.6 * k, 0, 2.6 * k);
    metal.setColorAt(0, QColor(0xf4, 0xf4, 0xf4));
    metal.setColorAt(0.5, QColor(0xc4, 0xc8, 0xcc));
    metal.setColorAt(1, QColor(0x80, 0x86, 0x8c));
    p.setBrush(metal);
    p.drawRect(QRectF(ferruleStart, -2.6 * k, bristleStart - ferruleStart, 5.2 * k));

    QPainterPath tuft;
    tuft.moveTo(bristleStart, -2.6 * k);
    tuft.cubicTo(bristleStart + 5, -4.6 * k, length - 6, -3.0 * k, length, 0);
    tuft.cubicTo(length - 6, 3.0 * k, bristleStart + 5, 4.6 * k, bristleStart, 2.6 * k);
    tuft.closeSubpath();
    QLinearGradient hair(0, -3 * k, 0, 3 * k);
    hair.setColorAt(0, bristle.lighter(135));
    hair.setColorAt(0.5, bristle);
    hair.setColorAt(1, bristle.darker(135));
    p.setPen(QPen(bristle.darker(220), outline, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(hair);
    p.drawPath(tuft);
}

}  // namespace

QImage paintIcon(int size)
{
    if (size == 16)
        return icon16();
    const Detail d = detailFor(size);
    const qreal scale = size / kGrid;
    const qreal outline = 1 / scale;  // one device pixel, in grid units

    QImage image(size, size, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(scale, scale);

    const QPainterPath palette = paletteShape();
    QRadialGradient wood(QPointF(18, 18), 30);
    wood.setColorAt(0, QColor(0xff, 0xc2, 0x5e));
    wood.setColorAt(0.6, QColor(0xfb, 0x94, 0x1f));
    wood.setColorAt(1, QColor(0xe2, 0x6c, 0x06));
    p.setPen(QPen(QColor(0x9c, 0x4a, 0x00), outline, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(wood);
    p.drawPath(palette);

    // dabs of paint, in the gaps the brushes leave open
    struct Dab {
        QPointF at;
        qreal r;
        QColor c;
    };
    const Dab dabs[] = {
        {{9.5, 25.5}, 3.6, QColor(0x2f, 0x8c, 0xf0)},
        {{24, 12.5}, 3.4, QColor(0xff, 0xf0, 0x5a)},
        {{24, 38.5}, 3.2, QColor(0xff, 0xff, 0xff)},
    };
    for (int i = 0; i < d.dabs; ++i) {
        const Dab& dab = dabs[i];
        p.setPen(QPen(dab.c.darker(170), outline));
        p.setBrush(dab.c);
        p.drawEllipse(dab.at, dab.r, dab.r * 0.85);
    }

    // the crossed brushes: pink from the lower right, green in front from the lower left
    const qreal length = 49;
    p.save();
    p.translate(43.5, 43);
    p.rotate(-135);
    brush(p, length, d, outline, QColor(0x7a, 0x3c, 0x1c), QColor(0xff, 0x5c, 0xa8));
    p.restore();
    p.save();
    p.translate(4.5, 43);
    p.rotate(-45);
    brush(p, length, d, outline, QColor(0x2a, 0x4f, 0x8f), QColor(0x34, 0xc7, 0x5a));
    p.restore();
    return image;
}

QImage paintMaskableIcon(int size)
{
    // The safe zone is a circle of 80 % of the side; a square of 56 % fits
    // in it with its corners, where the palette has none anyway.
    const int inner = size * 56 / 100;
    QImage image(size, size, QImage::Format_ARGB32);
    image.fill(QColor(0x3f, 0x8f, 0xd8));
    QPainter p(&image);
    p.drawImage((size - inner) / 2, (size - inner) / 2, paintIcon(inner));
    return image;
}

}  // namespace vellumino::painter
