#include "checks.h"

#include <QBitmap>
#include <QCursor>

#include <algorithm>
#include <cstdlib>

#include "cursor.h"
#include "draw.h"
#include "layout.h"

namespace vellumino::painter {
namespace {

using namespace vellumino::layout;

QRect scaled(const Rect& r, int scale)
{
    return {r.x * scale, r.y * scale, r.width * scale, r.height * scale};
}

// WCAG contrast ratio of two luminances.
double contrast(double a, double b)
{
    return (std::max(a, b) + 0.05) / (std::min(a, b) + 0.05);
}

QString where(const char* what, int x, int y)
{
    return QStringLiteral("%1 at (%2, %3)").arg(QString::fromLatin1(what)).arg(x).arg(y);
}

}  // namespace

QStringList checkBackground(const QImage& picture, int scale)
{
    QStringList problems;
    if (picture.size() != QSize(kPictureWidth * scale, kPictureHeight * scale)) {
        problems << QStringLiteral("picture is %1x%2").arg(picture.width()).arg(picture.height());
        return problems;
    }

    // The field has no background of its own to hide a seam: its white must be exact.
    const QRect field = scaled(kText1, scale);
    for (int y = field.top(); y <= field.bottom(); ++y)
        for (int x = field.left(); x <= field.right(); ++x)
            if (picture.pixel(x, y) != qRgba(255, 255, 255, 255)) {
                problems << where("field not white", x, y);
                y = field.bottom();
                break;
            }

    // The chat preview is drawn in the default (black) text colour over the band:
    // the band must stay light and free of anything drawn inside it.
    const QRect chat = scaled(kLabel1, scale);
    const double black = luminance(Qt::black);
    // A smooth shading is fine; an edge between neighbouring pixels means a drawing.
    auto edge = [](QRgb a, QRgb b) {
        return std::abs(qRed(a) - qRed(b)) > 4 || std::abs(qGreen(a) - qGreen(b)) > 4 ||
               std::abs(qBlue(a) - qBlue(b)) > 4;
    };
    for (int y = chat.top(); y <= chat.bottom(); ++y) {
        for (int x = chat.left(); x <= chat.right(); ++x) {
            const QRgb c = picture.pixel(x, y);
            if (contrast(luminance(QColor(c)), black) < 12.0) {
                problems << where("signature line too dark for black text", x, y);
                return problems;
            }
            if ((x > chat.left() && edge(c, picture.pixel(x - 1, y))) ||
                (y > chat.top() && edge(c, picture.pixel(x, y - 1)))) {
                problems << where("something painted behind the signature line", x, y);
                return problems;
            }
        }
    }

    // The hover-card caption prints grey text on plain white.
    const QRect card = scaled(kLabel2, scale);
    for (int y = card.top(); y <= card.bottom(); ++y)
        for (int x = card.left(); x <= card.right(); ++x)
            if (picture.pixel(x, y) != qRgba(255, 255, 255, 255)) {
                problems << where("status caption not on plain white", x, y);
                return problems;
            }
    return problems;
}

QStringList checkCursor(const QString& shapeFile, const QString& maskFile)
{
    QStringList problems;
    const QBitmap shape(shapeFile);
    const QBitmap mask(maskFile);
    if (shape.size() != QSize(kCursorSize, kCursorSize) || mask.size() != shape.size()) {
        problems << QStringLiteral("cursor bitmaps did not load as %1x%1").arg(kCursorSize);
        return problems;
    }
    const QCursor cursor(shape, mask, kHotX, kHotY);
    if (cursor.hotSpot() != QPoint(kHotX, kHotY))
        problems << QStringLiteral("hot spot is not (%1, %2)").arg(kHotX).arg(kHotY);

    const QImage seen = composeCursor(cursor.bitmap().toImage(), cursor.mask().toImage());
    for (int y = 0; y < kCursorSize; ++y)
        for (int x = 0; x < kCursorSize; ++x) {
            QRgb want = qRgba(0, 0, 0, 0);
            switch (handPixel(x, y)) {
                case CursorPixel::Black:
                    want = qRgb(0, 0, 0);
                    break;
                case CursorPixel::White:
                    want = qRgb(255, 255, 255);
                    break;
                case CursorPixel::Clear:
                    break;
            }
            if (seen.pixel(x, y) != want)
                problems << where("cursor pixel differs", x, y);
        }
    if (handPixel(kHotX, kHotY) != CursorPixel::Black)
        problems << QStringLiteral("hot spot is not on the fingertip's outline");
    return problems;
}

}  // namespace vellumino::painter
