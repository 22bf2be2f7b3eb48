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

bool CopyToClipboard(std::uintptr_t, std::u16string_view text)
{
    // setText replaces the old content at once; QClipboard has no failure to
    // report.
    QClipboard* clipboard = QGuiApplication::clipboard();
    if (!clipboard)
        return false;
    clipboard->setText(QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size())),
                       QClipboard::Clipboard);
    return true;
}

void OpenUrl(std::uintptr_t, const char* url)
{
    // Nothing to do if no browser is found: the click simply has no effect.
    QDesktopServices::openUrl(QUrl(QString::fromLatin1(url), QUrl::StrictMode));
}

}  // namespace vellumino::platform
