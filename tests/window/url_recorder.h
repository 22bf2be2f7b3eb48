// Stands in for the browser while it lives: catches what the desktop is asked
// to open for the signature page's scheme. The offscreen platform opens nothing.
#pragma once

#include <QDesktopServices>
#include <QList>
#include <QObject>
#include <QUrl>

namespace vellumino {

class UrlRecorder : public QObject {
    Q_OBJECT

public:
    const QUrl page{QStringLiteral(VELLUMINO_HOME_URL)};
    QList<QUrl> opened;

    UrlRecorder() { QDesktopServices::setUrlHandler(page.scheme(), this, "open"); }
    ~UrlRecorder() override { QDesktopServices::unsetUrlHandler(page.scheme()); }

public Q_SLOTS:
    void open(const QUrl& url) { opened << url; }
};

}  // namespace vellumino
