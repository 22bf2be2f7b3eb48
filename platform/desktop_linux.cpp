// Linux: Qt already copes with a clipboard owner that will not let go (X11
// takes the selection over), and hands the page to xdg-open (or whatever
// browser it finds) in a detached process, so the window never waits on it.
#include <QClipboard>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
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

std::u16string ClipboardText(std::uintptr_t)
{
    const QClipboard* clipboard = QGuiApplication::clipboard();
    return clipboard ? clipboard->text(QClipboard::Clipboard).toStdU16String() : std::u16string();
}

void ShowSignaturePage(std::uintptr_t)
{
    // Installed, the program is in bin/ and the page in share/vellumino beside
    // it; the build tree keeps its programs one folder deeper (app/qt,
    // tests/window) and the page in its own share/vellumino.
    const QDir programs(QCoreApplication::applicationDirPath());
    for (const char* share : {"../share", "../../share"}) {
        const QFileInfo page(
            programs.filePath(QLatin1String(share) + QLatin1String("/vellumino/signatures.html")));
        if (page.isFile()) {
            // Nothing to do if no browser is found: the click simply has no effect.
            QDesktopServices::openUrl(QUrl::fromLocalFile(page.canonicalFilePath()));
            return;
        }
    }
}

}  // namespace vellumino::platform
