// The application icon: an orange painter's palette with two crossed brushes,
// one with green and one with pink bristles.
#pragma once

#include <QImage>

namespace vellumino::painter {

// Paints the icon for one pixel size. Small sizes are drawn with thicker
// brushes and fewer details rather than shrunk, so they stay legible.
QImage paintIcon(int size);

}  // namespace vellumino::painter
