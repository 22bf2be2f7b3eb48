#include "background.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <QRadialGradient>
#include <QString>
#include <QTextOption>

#include <cmath>
#include <numbers>

#include "draw.h"
#include "layout.h"

namespace vellumino::painter {
namespace {

using namespace vellumino::layout;

// Rows of the header band, the light body and the white hover card. Everything
// else comes from layout.h so that the picture follows the window's geometry.
constexpr int kBandBottom = 80;
constexpr int kToolbarTop = 52;
constexpr QRect kAvatar{8, 7, 38, 38};
constexpr int kHeaderTextX = 52;
constexpr int kCardTop = 178;

const QColor kWhite(0xff, 0xff, 0xff);
const QColor kPromptGrey(0x80, 0x80, 0x80);
const QColor kFrameBlue(0x6c, 0xa6, 0xdf);
const QColor kNickBlue(0x1f, 0x5f, 0xae);

QString utf8(std::string_view s)
{
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

// ---- little icons, each drawn in a 16x16 (toolbar) or 14x14 (badge) box ----

void smiley(QPainter& p)
{
    QRadialGradient face(QPointF(6.5, 5.5), 9);
    face.setColorAt(0, QColor(0xff, 0xe8, 0x7a));
    face.setColorAt(1, QColor(0xf5, 0xb3, 0x00));
    p.setPen(QPen(QColor(0xc2, 0x85, 0x00), 1));
    p.setBrush(face);
    p.drawEllipse(QPointF(8, 8), 6.5, 6.5);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x5a, 0x3a, 0x00));
    p.drawEllipse(QPointF(5.8, 6.6), 1.0, 1.3);
    p.drawEllipse(QPointF(10.2, 6.6), 1.0, 1.3);
    p.setPen(QPen(QColor(0x5a, 0x3a, 0x00), 1.1, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(4.5, 5.5, 7, 5.5), 200 * 16, 140 * 16);
}

void videoCamera(QPainter& p)
{
    QLinearGradient body(0, 4, 0, 12);
    body.setColorAt(0, QColor(0x6f, 0xb2, 0xf5));
    body.setColorAt(1, QColor(0x23, 0x74, 0xd1));
    p.setPen(QPen(QColor(0x1b, 0x5c, 0xa8), 1));
    p.setBrush(body);
    p.drawRoundedRect(QRectF(1.5, 4.5, 9, 8), 1.5, 1.5);
    p.drawPolygon(QPolygonF({QPointF(10.5, 8.5), QPointF(14.5, 5.5), QPointF(14.5, 11.5)}));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 170));
    p.drawEllipse(QPointF(4, 7), 1.2, 1.2);
}

void microphone(QPainter& p)
{
    QLinearGradient body(5, 0, 11, 0);
    body.setColorAt(0, QColor(0x5c, 0xd0, 0x95));
    body.setColorAt(1, QColor(0x1f, 0x9a, 0x5c));
    p.setPen(QPen(QColor(0x17, 0x7a, 0x48), 1));
    p.setBrush(body);
    p.drawRoundedRect(QRectF(5.5, 1.5, 5, 8), 2.5, 2.5);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(0x17, 0x7a, 0x48), 1.2, Qt::SolidLine, Qt::RoundCap));
    p.drawArc(QRectF(3.5, 4, 9, 8.5), 180 * 16, 180 * 16);
    p.drawLine(QPointF(8, 12.5), QPointF(8, 14.5));
    p.drawLine(QPointF(5.5, 14.5), QPointF(10.5, 14.5));
}

void folder(QPainter& p)
{
    p.setPen(QPen(QColor(0xc0, 0x8a, 0x1c), 1));
    p.setBrush(QColor(0xf0, 0xb4, 0x3a));
    QPainterPath back;
    back.moveTo(1.5, 13.5);
    back.lineTo(1.5, 3.5);
    back.lineTo(6, 3.5);
    back.lineTo(7.5, 5);
    back.lineTo(14.5, 5);
    back.lineTo(14.5, 13.5);
    back.closeSubpath();
    p.drawPath(back);
    QLinearGradient front(0, 7, 0, 14);
    front.setColorAt(0, QColor(0xff, 0xde, 0x7a));
    front.setColorAt(1, QColor(0xf7, 0xbd, 0x3e));
    p.setBrush(front);
    p.drawRect(QRectF(1.5, 7.5, 13, 6));
}

void picture(QPainter& p)
{
    p.setPen(QPen(QColor(0x3d, 0x86, 0xd6), 1));
    p.setBrush(QColor(0xe8, 0xf4, 0xff));
    p.drawRect(QRectF(1.5, 2.5, 13, 11));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xff, 0x9f, 0x1c));
    p.drawEllipse(QPointF(10.5, 6), 1.6, 1.6);
    p.setBrush(QColor(0x4c, 0xaf, 0x50));
    p.drawPolygon(
        QPolygonF({QPointF(2, 13), QPointF(6, 7), QPointF(9, 10.5), QPointF(10.5, 9), QPointF(14, 13)}));
}

void musicNote(QPainter& p)
{
    const QColor purple(0x86, 0x4f, 0xd0);
    p.setPen(Qt::NoPen);
    p.setBrush(purple);
    p.drawEllipse(QPointF(4.5, 12), 2.5, 2);
    p.drawEllipse(QPointF(11.5, 10.5), 2.5, 2);
    p.setPen(QPen(purple, 1.4));
    p.drawLine(QPointF(6.3, 12), QPointF(6.3, 3.2));
    p.drawLine(QPointF(13.3, 10.5), QPointF(13.3, 1.8));
    p.setPen(QPen(purple, 2.4));
    p.drawLine(QPointF(6.3, 3.4), QPointF(13.3, 2));
}

void gift(QPainter& p)
{
    QLinearGradient box(0, 6, 0, 15);
    box.setColorAt(0, QColor(0xff, 0x7e, 0xaa));
    box.setColorAt(1, QColor(0xe2, 0x3c, 0x78));
    p.setPen(QPen(QColor(0xb8, 0x2b, 0x5e), 1));
    p.setBrush(box);
    p.drawRect(QRectF(2.5, 7.5, 11, 7));
    p.drawRect(QRectF(1.5, 5.5, 13, 3));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xff, 0xe0, 0x66));
    p.drawRect(QRectF(7, 5, 2, 10));
    p.setPen(QPen(QColor(0xf0, 0xb4, 0x00), 1.2));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QPointF(6, 3.8), 2, 1.4);
    p.drawEllipse(QPointF(10, 3.8), 2, 1.4);
}

void paperPlane(QPainter& p)
{
    p.setPen(QPen(QColor(0x1d, 0x6f, 0xc4), 1, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(QColor(0x62, 0xb0, 0xf5));
    p.drawPolygon(QPolygonF({QPointF(1.5, 7.5), QPointF(14.5, 1.5), QPointF(10.5, 14), QPointF(7.5, 9.5)}));
    p.setBrush(QColor(0x2a, 0x82, 0xdc));
    p.drawPolygon(QPolygonF({QPointF(7.5, 9.5), QPointF(14.5, 1.5), QPointF(7.5, 13.5)}));
}

void (*const kToolbarIcons[])(QPainter&) = {smiley,  videoCamera, microphone, folder,
                                            picture, musicNote,   gift,       paperPlane};

QPolygonF star(QPointF c, qreal outer, qreal inner)
{
    QPolygonF poly;
    for (int i = 0; i < 10; ++i) {
        const qreal r = i % 2 == 0 ? outer : inner;
        const qreal a = -std::numbers::pi / 2 + i * std::numbers::pi / 5;
        poly << QPointF(c.x() + r * std::cos(a), c.y() + r * std::sin(a));
    }
    return poly;
}

QPainterPath heart(QPointF c, qreal s)
{
    QPainterPath path;
    path.moveTo(c.x(), c.y() + s * 0.9);
    path.cubicTo(c.x() - s * 1.3, c.y() + s * 0.1, c.x() - s * 0.9, c.y() - s * 1.0, c.x(), c.y() - s * 0.35);
    path.cubicTo(c.x() + s * 0.9, c.y() - s * 1.0, c.x() + s * 1.3, c.y() + s * 0.1, c.x(), c.y() + s * 0.9);
    return path;
}

// A badge: a small glossy rounded square with a white glyph.
void badge(QPainter& p, QColor light, QColor dark, int glyph)
{
    QLinearGradient g(0, 0, 0, 14);
    g.setColorAt(0, light);
    g.setColorAt(1, dark);
    p.setPen(QPen(dark.darker(125), 1));
    p.setBrush(g);
    p.drawRoundedRect(QRectF(0.5, 0.5, 13, 13), 3, 3);
    p.setPen(Qt::NoPen);
    p.setBrush(kWhite);
    const QPointF c(7, 7);
    switch (glyph) {
        case 0:
            p.drawPolygon(star(c + QPointF(0, 0.4), 5, 2.1));
            break;
        case 1:
            p.drawPath(heart(c + QPointF(0, 0.3), 4.2));
            break;
        case 2:
            p.drawPolygon(QPolygonF(
                {QPointF(3, 5.5), QPointF(5, 3.5), QPointF(9, 3.5), QPointF(11, 5.5), QPointF(7, 11)}));
            break;
        case 3: {
            p.drawEllipse(c, 2.4, 2.4);
            p.setPen(QPen(kWhite, 1.1, Qt::SolidLine, Qt::RoundCap));
            for (int i = 0; i < 8; ++i) {
                const qreal a = i * std::numbers::pi / 4;
                p.drawLine(c + QPointF(3.6 * std::cos(a), 3.6 * std::sin(a)),
                           c + QPointF(5.0 * std::cos(a), 5.0 * std::sin(a)));
            }
            break;
        }
        default:
            p.drawPolygon(QPolygonF({QPointF(3, 10), QPointF(3, 4.5), QPointF(5.2, 7), QPointF(7, 3.5),
                                     QPointF(8.8, 7), QPointF(11, 4.5), QPointF(11, 10)}));
            break;
    }
}

// ---- the two pictures: the header avatar and the hover card's portrait ----

void avatar(QPainter& p, QRectF r)
{
    p.save();
    QPainterPath clip;
    clip.addRoundedRect(r, 4, 4);
    p.setClipPath(clip);
    QLinearGradient bg(r.topLeft(), r.bottomLeft());
    bg.setColorAt(0, QColor(0x9f, 0xe0, 0xd8));
    bg.setColorAt(1, QColor(0x4f, 0xb8, 0xc2));
    p.fillRect(r, bg);

    // the face is drawn on a 40x40 grid
    p.translate(r.topLeft());
    p.scale(r.width() / 40, r.height() / 40);
    const qreal cx = 20;
    const qreal top = 0;
    // shoulders
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xf7, 0x8f, 0x2e));
    p.drawEllipse(QPointF(cx, top + 47), 17, 13);
    p.setBrush(QColor(0xff, 0xff, 0xff));
    p.drawPolygon(QPolygonF({QPointF(cx - 4, top + 34), QPointF(cx + 4, top + 34), QPointF(cx, top + 39)}));
    // hair behind the face, face, fringe
    p.setBrush(QColor(0x5a, 0x36, 0x22));
    p.drawEllipse(QPointF(cx, top + 20), 11.5, 12.5);
    p.setBrush(QColor(0xff, 0xdc, 0xbd));
    p.drawEllipse(QPointF(cx, top + 22), 9, 10);
    p.setBrush(QColor(0x5a, 0x36, 0x22));
    QPainterPath fringe;
    fringe.moveTo(cx - 10, top + 19);
    fringe.cubicTo(cx - 8, top + 10, cx + 6, top + 9, cx + 10, top + 18);
    fringe.cubicTo(cx + 4, top + 15, cx - 3, top + 14, cx - 10, top + 19);
    p.drawPath(fringe);
    // a painter's beret
    p.setBrush(QColor(0xe8, 0x3f, 0x6f));
    p.drawEllipse(QPointF(cx - 1, top + 11), 12, 5);
    p.setPen(QPen(QColor(0xe8, 0x3f, 0x6f), 1.6, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(cx, top + 6.5), QPointF(cx + 1.5, top + 4));
    // eyes, cheeks, smile
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x3a, 0x24, 0x18));
    p.drawEllipse(QPointF(cx - 3.6, top + 23), 1.2, 1.5);
    p.drawEllipse(QPointF(cx + 3.6, top + 23), 1.2, 1.5);
    p.setBrush(QColor(255, 128, 128, 110));
    p.drawEllipse(QPointF(cx - 6, top + 26.5), 1.8, 1.2);
    p.drawEllipse(QPointF(cx + 6, top + 26.5), 1.8, 1.2);
    p.setPen(QPen(QColor(0xb0, 0x4a, 0x3a), 1.1, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(cx - 3, top + 24, 6, 4.5), 200 * 16, 140 * 16);
    p.restore();

    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(255, 255, 255, 200), 1));
    p.drawRoundedRect(r.adjusted(1.5, 1.5, -1.5, -1.5), 3, 3);
    p.setPen(QPen(QColor(0x4f, 0x88, 0xc6), 1));
    p.drawRoundedRect(r.adjusted(0.5, 0.5, -0.5, -0.5), 4, 4);
}

void landscape(QPainter& p, QRectF r)
{
    p.save();
    QPainterPath clip;
    clip.addRoundedRect(r, 3, 3);
    p.setClipPath(clip);
    const qreal x = r.left();
    const qreal y = r.top();
    const qreal w = r.width();
    const qreal h = r.height();
    auto at = [&](qreal fx, qreal fy) { return QPointF(x + fx * w, y + fy * h); };

    QLinearGradient sky(r.topLeft(), at(0, 0.62));
    sky.setColorAt(0, QColor(0x5f, 0xa8, 0xe8));
    sky.setColorAt(0.55, QColor(0xa9, 0xd4, 0xf2));
    sky.setColorAt(1, QColor(0xff, 0xe2, 0xb0));
    p.fillRect(r, sky);

    QRadialGradient glow(at(0.62, 0.40), 0.45 * w);
    glow.setColorAt(0, QColor(255, 246, 200, 230));
    glow.setColorAt(1, QColor(255, 246, 200, 0));
    p.fillRect(r, glow);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xff, 0xf4, 0xc8));
    p.drawEllipse(at(0.62, 0.40), 0.13 * w, 0.13 * w);

    // clouds
    p.setBrush(QColor(255, 255, 255, 215));
    for (const auto& [cx, cy, s] : {std::tuple{0.22, 0.16, 1.0}, std::tuple{0.80, 0.10, 0.8}}) {
        p.drawEllipse(at(cx, cy), 9 * s, 3.5 * s);
        p.drawEllipse(at(cx - 0.04, cy - 0.018), 5 * s, 3.5 * s);
        p.drawEllipse(at(cx + 0.05, cy - 0.012), 4 * s, 3 * s);
    }
    // birds
    p.setPen(QPen(QColor(0x3b, 0x4a, 0x6b), 0.9, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    for (const auto& [bx, by] : {std::pair{0.30, 0.31}, std::pair{0.40, 0.27}}) {
        const QPointF c = at(bx, by);
        QPainterPath bird;
        bird.moveTo(c + QPointF(-3, -1));
        bird.quadTo(c + QPointF(-1.5, -2), c);
        bird.quadTo(c + QPointF(1.5, -2), c + QPointF(3, -1));
        p.drawPath(bird);
    }
    p.setPen(Qt::NoPen);

    // far and near mountains
    p.setBrush(QColor(0x9d, 0xa9, 0xd8));
    p.drawPolygon(QPolygonF({at(0, 0.60), at(0.18, 0.46), at(0.32, 0.53), at(0.52, 0.40), at(0.75, 0.54),
                             at(0.9, 0.47), at(1, 0.52), at(1, 0.7), at(0, 0.7)}));
    p.setBrush(QColor(0x6f, 0x83, 0xc4));
    p.drawPolygon(QPolygonF(
        {at(0, 0.66), at(0.25, 0.54), at(0.45, 0.63), at(0.68, 0.52), at(1, 0.64), at(1, 0.8), at(0, 0.8)}));
    // snow caps
    p.setBrush(QColor(255, 255, 255, 200));
    p.drawPolygon(
        QPolygonF({at(0.52, 0.40), at(0.58, 0.444), at(0.54, 0.437), at(0.50, 0.452), at(0.47, 0.434)}));

    // lake with the sun's reflection
    QLinearGradient lake(at(0, 0.66), at(0, 0.78));
    lake.setColorAt(0, QColor(0x8f, 0xc4, 0xee));
    lake.setColorAt(1, QColor(0x4f, 0x93, 0xd4));
    p.setBrush(lake);
    p.drawRect(QRectF(at(0, 0.66), at(1, 0.80)));
    p.setBrush(QColor(255, 244, 200, 160));
    p.drawRect(QRectF(at(0.54, 0.68), QSizeF(0.16 * w, 1.2)));
    p.drawRect(QRectF(at(0.57, 0.71), QSizeF(0.10 * w, 1.0)));
    p.drawRect(QRectF(at(0.59, 0.74), QSizeF(0.06 * w, 1.0)));

    // green hills in front
    QLinearGradient hill(at(0, 0.74), at(0, 1));
    hill.setColorAt(0, QColor(0x8c, 0xd0, 0x6a));
    hill.setColorAt(1, QColor(0x4e, 0xa1, 0x4a));
    p.setBrush(hill);
    QPainterPath hills;
    hills.moveTo(at(0, 0.78));
    hills.cubicTo(at(0.25, 0.72), at(0.5, 0.80), at(0.7, 0.79));
    hills.cubicTo(at(0.85, 0.78), at(0.95, 0.74), at(1, 0.75));
    hills.lineTo(at(1, 1));
    hills.lineTo(at(0, 1));
    hills.closeSubpath();
    p.drawPath(hills);
    p.setBrush(QColor(0x3f, 0x8c, 0x42));
    QPainterPath front;
    front.moveTo(at(0, 0.88));
    front.cubicTo(at(0.3, 0.82), at(0.6, 0.9), at(1, 0.86));
    front.lineTo(at(1, 1));
    front.lineTo(at(0, 1));
    front.closeSubpath();
    p.drawPath(front);

    // a winding path and a tree
    p.setBrush(QColor(0xf4, 0xe2, 0xb8));
    QPainterPath track;
    track.moveTo(at(0.42, 1));
    track.cubicTo(at(0.46, 0.9), at(0.62, 0.86), at(0.6, 0.80));
    track.lineTo(at(0.615, 0.80));
    track.cubicTo(at(0.66, 0.87), at(0.56, 0.92), at(0.62, 1));
    track.closeSubpath();
    p.drawPath(track);
    p.setBrush(QColor(0x7a, 0x4e, 0x2c));
    p.drawRect(QRectF(at(0.215, 0.80), QSizeF(2.2, 8)));
    p.setBrush(QColor(0x2f, 0x7d, 0x3a));
    p.drawEllipse(at(0.24, 0.77), 7.5, 9);
    p.setBrush(QColor(0x46, 0x9a, 0x4a));
    p.drawEllipse(at(0.21, 0.755), 4, 5);
    p.restore();

    p.setPen(QPen(QColor(0xb9, 0xc9, 0xdb), 1));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(r.adjusted(0.5, 0.5, -0.5, -0.5), 3, 3);
}

// ---- the orange buttons ----

void orangeButton(QPainter& p, const QRect& zone, const QString& label)
{
    const QRectF body = outlineRect(zone);
    constexpr qreal radius = 5;

    // a soft shadow one pixel below the button
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x9a, 0x55, 0x10, 45));
    p.drawRoundedRect(body.translated(0, 1).adjusted(-0.5, 0, 0.5, 0.5), radius + 0.5, radius + 0.5);

    QLinearGradient fill(body.topLeft(), body.bottomLeft());
    fill.setColorAt(0, QColor(0xff, 0xb6, 0x4c));
    fill.setColorAt(0.48, QColor(0xfb, 0x95, 0x25));
    fill.setColorAt(0.52, QColor(0xf4, 0x86, 0x14));
    fill.setColorAt(1, QColor(0xe9, 0x72, 0x0a));
    p.setPen(QPen(QColor(0xc2, 0x5c, 0x04), 1));
    p.setBrush(fill);
    p.drawRoundedRect(body, radius, radius);

    // the inner rim: bright along the top, fading out towards the bottom
    QLinearGradient rim(body.topLeft(), body.bottomLeft());
    rim.setColorAt(0, QColor(255, 255, 255, 170));
    rim.setColorAt(0.5, QColor(255, 255, 255, 40));
    rim.setColorAt(1, QColor(255, 255, 255, 0));
    p.setPen(QPen(QBrush(rim), 1));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(body.adjusted(1, 1, -1, -1), radius - 1, radius - 1);

    p.setFont(uiFont(14, true));
    const QRectF textBox = QRectF(zone).adjusted(0, 0, 0, -1);
    p.setPen(QColor(0xa8, 0x4a, 0x00, 150));
    p.drawText(textBox.translated(0, 1), Qt::AlignCenter, label);
    p.setPen(kWhite);
    p.drawText(textBox, Qt::AlignCenter, label);
}

// ---- the parts of the picture, top to bottom ----

void headerBand(QPainter& p)
{
    const QRectF band(0, 0, kPictureWidth, kBandBottom);
    QLinearGradient bg(0, 0, 0, kToolbarTop);
    bg.setColorAt(0, QColor(0xdd, 0xee, 0xfd));
    bg.setColorAt(1, QColor(0xbc, 0xdb, 0xf8));
    p.fillRect(QRectF(0, 0, kPictureWidth, kToolbarTop), bg);

    // a soft light behind the avatar and the nickname gives the band some depth
    QRadialGradient light(QPointF(70, -10), 190);
    light.setColorAt(0, QColor(255, 255, 255, 150));
    light.setColorAt(1, QColor(255, 255, 255, 0));
    p.fillRect(QRectF(0, 0, kPictureWidth, kToolbarTop), light);
    p.setPen(QPen(QColor(0x5a, 0x97, 0xd8), 1));
    p.drawLine(QPointF(0, 0.5), QPointF(kPictureWidth, 0.5));

    // the toolbar strip
    QLinearGradient bar(0, kToolbarTop, 0, kBandBottom);
    bar.setColorAt(0, QColor(0xcb, 0xe3, 0xfa));
    bar.setColorAt(1, QColor(0xa9, 0xcf, 0xf3));
    p.fillRect(QRectF(0, kToolbarTop, kPictureWidth, kBandBottom - kToolbarTop), bar);
    p.setPen(QPen(QColor(0x8d, 0xbb, 0xe8), 1));
    p.drawLine(QPointF(0, kToolbarTop + 0.5), QPointF(kPictureWidth, kToolbarTop + 0.5));
    p.setPen(QPen(QColor(255, 255, 255, 170), 1));
    p.drawLine(QPointF(0, kToolbarTop + 1.5), QPointF(kPictureWidth, kToolbarTop + 1.5));
    p.setPen(QPen(QColor(0x5f, 0x98, 0xd4), 1));
    p.drawLine(QPointF(0, band.bottom() - 0.5), QPointF(kPictureWidth, band.bottom() - 0.5));

    avatar(p, QRectF(kAvatar));

    // nickname, with a quiet note of the contact's state
    p.setFont(uiFont(13, true));
    p.setPen(QColor(0x16, 0x3f, 0x70));
    const QRectF nickBox(kHeaderTextX, 3, 200, 17);
    p.drawText(nickBox, Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("小画家"));
    const qreal nickWidth = p.fontMetrics().horizontalAdvance(QStringLiteral("小画家"));
    p.setFont(uiFont(12));
    p.setPen(QColor(0x5f, 0x82, 0xa8));
    p.drawText(nickBox.adjusted(nickWidth + 6, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("(在线)"));

    // two status icons in front of the signature line: online, and on the phone
    const qreal iconY = kLabel1.y + 4;
    QRadialGradient orb(QPointF(kHeaderTextX + 3, iconY + 2.5), 5);
    orb.setColorAt(0, QColor(0xb8, 0xf5, 0x9a));
    orb.setColorAt(1, QColor(0x2f, 0xa8, 0x2c));
    p.setPen(QPen(QColor(0x24, 0x86, 0x24), 1));
    p.setBrush(orb);
    p.drawEllipse(QRectF(kHeaderTextX + 0.5, iconY + 0.5, 8, 8));
    const qreal phoneX = kHeaderTextX + 11;
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x2a, 0x62, 0xa8));
    p.drawRoundedRect(QRectF(phoneX, iconY - 1, 7, 11), 1.5, 1.5);
    p.setBrush(QColor(0xd4, 0xea, 0xff));
    p.drawRect(QRectF(phoneX + 1, iconY + 1, 5, 6));
    p.drawRect(QRectF(phoneX + 3, iconY + 8, 1, 1));

    // the toolbar: a row of tools and a "more" chevron at the far end
    qreal x = 10;
    for (auto* icon : kToolbarIcons) {
        p.save();
        p.translate(x, kToolbarTop + 6);
        icon(p);
        p.restore();
        x += 26;
    }
    p.setPen(QPen(QColor(0x3a, 0x78, 0xc0), 1.3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    for (qreal dx : {0.0, 5.0}) {
        const qreal cx = kPictureWidth - 20 + dx;
        const qreal cy = kToolbarTop + 14;
        p.drawPolyline(
            QPolygonF({QPointF(cx - 2, cy - 3.5), QPointF(cx + 1.5, cy), QPointF(cx - 2, cy + 3.5)}));
    }
}

void editorArea(QPainter& p)
{
    QLinearGradient bg(0, kBandBottom, 0, kCardTop);
    bg.setColorAt(0, QColor(0xf7, 0xfa, 0xfd));
    bg.setColorAt(1, QColor(0xee, 0xf3, 0xf9));
    p.fillRect(QRectF(0, kBandBottom, kPictureWidth, kCardTop - kBandBottom), bg);

    p.setFont(uiFont(12));
    p.setPen(kPromptGrey);
    const QRect frame = toQRect(kFieldFrame);
    p.drawText(QRectF(frame.left() + 2, 82, kPictureWidth - 2 * frame.left(), 17),
               Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("在下面输入签名，即可在聊天窗口和悬浮窗口中预览效果"));

    // the field: a glow, the blue frame and the white inside the field shares
    p.setPen(QPen(QColor(0x6c, 0xa6, 0xdf, 45), 1));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(outlineRect(frame.adjusted(-1, -1, 1, 1)), 3, 3);
    p.setPen(QPen(kFrameBlue, 1));
    p.setBrush(kWhite);
    p.drawRoundedRect(outlineRect(frame), 2, 2);
}

void hoverCard(QPainter& p)
{
    p.fillRect(QRectF(0, kCardTop, kPictureWidth, kPictureHeight - kCardTop), kWhite);
    p.setPen(QPen(QColor(0xd3, 0xdf, 0xec), 1));
    p.drawLine(QPointF(0, kCardTop - 0.5), QPointF(kPictureWidth, kCardTop - 0.5));

    landscape(p, QRectF(toQRect(kPortrait)));

    const QRect caption = toQRect(kLabel2);
    p.setFont(uiFont(13, true));
    p.setPen(kNickBlue);
    p.drawText(QRectF(caption.left(), kPortrait.y, caption.width(), caption.top() - kPortrait.y),
               Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("小画家"));
    const qreal nickWidth = p.fontMetrics().horizontalAdvance(QStringLiteral("小画家"));
    p.setFont(uiFont(11));
    p.setPen(QColor(0x9a, 0xa6, 0xb4));
    p.drawText(QRectF(caption.left() + nickWidth + 6, kPortrait.y, 120, caption.top() - kPortrait.y),
               Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("在线"));

    const QColor badges[][2] = {
        {QColor(0xff, 0xd2, 0x4d), QColor(0xf0, 0xa0, 0x00)},
        {QColor(0xff, 0x8a, 0xb4), QColor(0xe2, 0x3f, 0x7c)},
        {QColor(0x7f, 0xc6, 0xff), QColor(0x2a, 0x82, 0xdc)},
        {QColor(0xff, 0xb0, 0x5c), QColor(0xee, 0x6e, 0x12)},
        {QColor(0xc3, 0x9b, 0xf5), QColor(0x7e, 0x4c, 0xcf)},
    };
    qreal x = caption.left();
    const qreal y = caption.bottom() + 1 + 6;
    for (int i = 0; i < 5; ++i) {
        p.save();
        p.translate(x, y);
        badge(p, badges[i][0], badges[i][1], i);
        p.restore();
        x += 19;
    }

    // a dotted rule between the card's details and its actions
    p.setPen(QPen(QColor(0xd6, 0xe0, 0xeb), 1, Qt::DotLine));
    const qreal ruleX = zone(ZoneId::Label7).rect.x - 7.5;
    p.drawLine(QPointF(ruleX, kPortrait.y + 1),
               QPointF(ruleX, zone(ZoneId::Label8).rect.y + zone(ZoneId::Label8).rect.height - 1));
}

void linkLine(QPainter& p)
{
    const Zone& link = zone(ZoneId::Label9);
    const QRect r = toQRect(link.rect);
    const QString text = utf8(link.caption);
    const QFont font = uiFont(12);
    p.setFont(font);
    p.setPen(kPromptGrey);
    const QRectF box(r.left(), r.top(), r.width(), r.height());
    p.drawText(box, Qt::AlignLeft | Qt::AlignVCenter, text);
    // an underline on the pixel grid, just below the text's baseline
    const QFontMetricsF fm(font);
    const qreal baseline = r.top() + (r.height() - fm.height()) / 2 + fm.ascent();
    const qreal underline = std::floor(baseline) + 2.5;
    p.setPen(QPen(QColor(0x80, 0x80, 0x80, 150), 1));
    p.drawLine(QPointF(r.left(), underline), QPointF(r.left() + fm.horizontalAdvance(text), underline));
}

}  // namespace

QImage paintBackground(int scale)
{
    QImage image(kPictureWidth * scale, kPictureHeight * scale, QImage::Format_ARGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.scale(scale, scale);

    headerBand(p);
    editorArea(p);
    hoverCard(p);
    for (const Zone& z : kZones) {
        if (z.id != ZoneId::Label9)
            orangeButton(p, toQRect(z.rect), utf8(z.caption));
    }
    linkLine(p);
    return image;
}

QImage paintOverlay(const QImage& background)
{
    QImage image = background.convertToFormat(QImage::Format_ARGB32);
    QPainter p(&image);
    p.setFont(uiFont(9));
    auto mark = [&](const QRect& r, QColor c, const QString& name) {
        p.setPen(QPen(c, 1));
        c.setAlpha(50);
        p.setBrush(c);
        p.drawRect(outlineRect(r));
        p.setPen(Qt::black);
        p.drawText(r.adjusted(2, 1, 0, 0), Qt::AlignLeft | Qt::AlignTop, name);
    };
    for (const Zone& z : kZones)
        mark(toQRect(z.rect), QColor(0xe0, 0x00, 0xe0), utf8(z.objectName));
    mark(toQRect(kText1), QColor(0x00, 0xa0, 0x00), QStringLiteral("Text1"));
    mark(toQRect(kLabel1), QColor(0x00, 0x60, 0xff), QStringLiteral("Label1"));
    mark(toQRect(kLabel2), QColor(0x00, 0x60, 0xff), QStringLiteral("Label2"));
    p.setPen(QPen(QColor(0xff, 0x00, 0x00), 1, Qt::DashLine));
    p.setBrush(Qt::NoBrush);
    p.drawRect(outlineRect(QRect(0, 0, kClientWidth, kClientHeight)));
    return image;
}

QImage paintPreview(const QImage& background)
{
    QImage image = background.convertToFormat(QImage::Format_ARGB32);
    QPainter p(&image);
    p.setFont(uiFont(12));
    const QTextOption option(Qt::AlignLeft | Qt::AlignTop);
    p.setPen(Qt::black);
    p.drawText(QRectF(toQRect(kLabel1)), QStringLiteral("莪の簽洺，就湜這樣ㄋ～ 1234 abc"), option);
    p.drawText(QRectF(toQRect(kText1)), QStringLiteral("莪の簽洺，就湜這樣ㄋ～ 1234 abc"), option);
    p.setPen(QColor(128, 128, 128));
    QTextOption wrapping(option);
    wrapping.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    p.drawText(QRectF(toQRect(kLabel2)), QStringLiteral("QQ签名已复制、请在QQ中粘贴 莪の簽洺，就湜這樣ㄋ～"),
               wrapping);
    return image;
}

}  // namespace vellumino::painter
