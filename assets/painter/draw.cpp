#include "draw.h"

#include <QFontInfo>

#include <cmath>

namespace vellumino::painter {

QFont uiFont(qreal pixelSize, bool bold)
{
    QFont font(QString::fromLatin1(kFontFamily));
    font.setPixelSize(static_cast<int>(std::lround(pixelSize)));
    font.setBold(bold);
    font.setStyleStrategy(QFont::PreferAntialias);
    font.setHintingPreference(QFont::PreferVerticalHinting);
    return font;
}

bool fontAvailable()
{
    return QFontInfo(uiFont(12)).family() == QString::fromLatin1(kFontFamily);
}

double luminance(const QColor& c)
{
    auto channel = [](double v) { return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4); };
    return 0.2126 * channel(c.redF()) + 0.7152 * channel(c.greenF()) + 0.0722 * channel(c.blueF());
}

}  // namespace vellumino::painter
