// Linux: Qt already copes with a clipboard owner that will not let go (X11
// takes the selection over), and hands the page to xdg-open (or whatever
// browser it finds) in a detached process, so the window never waits on it.
#include <QClipboard>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMimeData>
#include <QString>
#include <QUrl>

#include "desktop.h"

namespace vellumino::platform {

bool CopyToClipboard(std::uintptr_t, std::u16string_view text)
{
    QClipboard* clipboard = QGuiApplication::clipboard();
    if (!clipboard)
        return false;
    const QString copied = QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
    auto* data = new QMimeData;  // the clipboard owns it from here
    data->setText(copied);
    clipboard->setMimeData(data, QClipboard::Clipboard);
    // setMimeData reports nothing. X11 ignores a claim on the clipboard older
    // than the current owner's, and Qt then still believes it owns it
    // (ownsClipboard says yes); but what the clipboard holds is asked of the
    // server afresh, and is our own data only if we are its owner. Short of
    // that, the copy counts if whoever took the clipboard holds the text (a
    // clipboard manager).
    const QMimeData* held = clipboard->mimeData(QClipboard::Clipboard);
    return held == data || (held && held->hasText() && held->text() == copied);
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
    // tests/qt) and the page in its own share/vellumino.
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
