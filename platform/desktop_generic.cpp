// Everywhere but Windows: Qt hands the address to xdg-open (or whatever
// browser it finds) in a detached process, so the window never waits on it.
#include <QDesktopServices>
#include <QString>
#include <QUrl>

#include "desktop.h"

namespace vellumino::platform {

void OpenUrl(std::uintptr_t, const char* url)
{
    // Nothing to do if no browser is found: the click simply has no effect.
    QDesktopServices::openUrl(QUrl(QString::fromLatin1(url), QUrl::StrictMode));
}

}  // namespace vellumino::platform
