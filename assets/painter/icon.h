// The application icon: an orange painter's palette with two crossed brushes,
// one with green and one with pink bristles.
#pragma once

#include <QImage>

namespace vellumino::painter {

// Paints the icon for one pixel size. Small sizes are drawn with thicker
// brushes and fewer details rather than shrunk, so they stay legible.
QImage paintIcon(int size);

// The icon as a phone's home screen crops it (a "maskable" icon): the
// palette within the middle circle that every mask keeps, on a square of
// the window's blue, so that no launcher sets it on a white disc.
QImage paintMaskableIcon(int size);

}  // namespace vellumino::painter
