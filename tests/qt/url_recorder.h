// Stands in for the browser while it lives: catches every file the desktop is
// asked to open. The offscreen platform opens nothing.
#pragma once

#include <QDesktopServices>
#include <QList>
#include <QObject>
#include <QUrl>

namespace vellumino {

class UrlRecorder : public QObject {
    Q_OBJECT

public:
    // The build tree's page, which the programs of the build tree open.
    const QUrl page = QUrl::fromLocalFile(QStringLiteral(VELLUMINO_SIGNATURE_PAGE));
    QList<QUrl> opened;

    UrlRecorder() { QDesktopServices::setUrlHandler(page.scheme(), this, "open"); }
    ~UrlRecorder() override { QDesktopServices::unsetUrlHandler(page.scheme()); }

public Q_SLOTS:
    void open(const QUrl& url) { opened << url; }
};

}  // namespace vellumino
