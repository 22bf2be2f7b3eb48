// Small drawing helpers shared by the background and the icon.
#pragma once

#include <QColor>
#include <QFont>
#include <QRect>
#include <QRectF>

#include "layout.h"

namespace vellumino::painter {

// The one font of the artwork. It must be a CJK font that is really installed:
// a silent fallback would paint boxes or a different face into committed files.
inline constexpr const char* kFontFamily = "WenQuanYi Micro Hei";

QFont uiFont(qreal pixelSize, bool bold = false);

// True when the font that Qt resolves for kFontFamily is that family.
bool fontAvailable();

inline QRect toQRect(const layout::Rect& r)
{
    return {r.x, r.y, r.width, r.height};
}

// A one-pixel outline that fills exactly the border pixels of r: the pen runs
// along the pixel centres, so the line stays sharp at 1x and 2x alike.
inline QRectF outlineRect(const QRect& r)
{
    return QRectF(r).adjusted(0.5, 0.5, -0.5, -0.5);
}

// Relative luminance (sRGB, as in WCAG) of an opaque colour, 0..1.
double luminance(const QColor& c);

}  // namespace vellumino::painter
