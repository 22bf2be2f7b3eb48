// The clipboard goes through Qt on every system: it already copes with an
// owner that will not let go (Windows retries, X11 takes the selection over).
#include <QClipboard>
#include <QGuiApplication>
#include <QString>

#include "desktop.h"

namespace vellumino::platform {

void ClearClipboard()
{
    if (QClipboard* clipboard = QGuiApplication::clipboard())
        clipboard->clear(QClipboard::Clipboard);
}

void PutOnClipboard(std::u16string_view text)
{
    if (QClipboard* clipboard = QGuiApplication::clipboard())
        clipboard->setText(QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size())),
                           QClipboard::Clipboard);
}

}  // namespace vellumino::platform
