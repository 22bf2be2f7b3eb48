// Checks that the painted files are fit for the window before they are kept.
// Each returns the problems it found, empty when all is well.
#pragma once

#include <QImage>
#include <QString>
#include <QStringList>

namespace vellumino::painter {

// The picture at the given scale: its size, the field's white inside, a
// signature line that dark text can be read on, and a blank status caption.
QStringList checkBackground(const QImage& picture, int scale);

// The XBM files as the window loads them: through QBitmap into a QCursor.
QStringList checkCursor(const QString& shapeFile, const QString& maskFile);

}  // namespace vellumino::painter
