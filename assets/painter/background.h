// The window's background picture: a mock-up of the messenger's chat-window
// header and hover card, with the field frame and the buttons under the zones.
#pragma once

#include <QImage>

namespace vellumino::painter {

// Paints the picture at the given scale (1 for 375x322, 2 for the high-DPI
// copy). Everything is drawn as vectors, so the 2x copy is as sharp as 1x.
QImage paintBackground(int scale);

// The picture with every zone, caption and the field outlined on top, for
// checking by eye that each zone sits on its button.
QImage paintOverlay(const QImage& background);

// The picture with sample text in the field and both captions, drawn the way
// the window draws them, for judging by eye how readable the previews are.
QImage paintPreview(const QImage& background);

}  // namespace vellumino::painter
