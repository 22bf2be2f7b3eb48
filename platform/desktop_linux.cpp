// Linux: Qt already copes with a clipboard owner that will not let go (X11
// takes the selection over), and hands the address to xdg-open (or whatever
// browser it finds) in a detached process, so the window never waits on it.
#include <QClipboard>
#include <QDesktopServices>
#include <QGuiApplication>
#include <QString>
#include <QUrl>

#include "desktop.h"

namespace vellumino::platform {

void ClearClipboard(std::uintptr_t)
{
    if (QClipboard* clipboard = QGuiApplication::clipboard())
        clipboard->clear(QClipboard::Clipboard);
}

void PutOnClipboard(std::uintptr_t, std::u16string_view text)
{
    if (QClipboard* clipboard = QGuiApplication::clipboard())
        clipboard->setText(QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size())),
                           QClipboard::Clipboard);
}

void OpenUrl(std::uintptr_t, const char* url)
{
    // Nothing to do if no browser is found: the click simply has no effect.
    QDesktopServices::openUrl(QUrl(QString::fromLatin1(url), QUrl::StrictMode));
}

}  // namespace vellumino::platform
