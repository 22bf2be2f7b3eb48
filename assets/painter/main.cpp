// Paints the window's artwork into a folder:
//   background.png, background@2x.png, icons/vellumino-{16,24,32,48,192,512}.png,
//   icons/vellumino-maskable-{192,512}.png,
//   hand.xbm, hand-mask.xbm
// and checks each file as the window will use it. With --debug DIR it also
// writes pictures for checking by eye (zones overlaid, sample previews, the
// cursor enlarged); those are never committed.
#include <QCommandLineParser>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include <cstdio>

#include "background.h"
#include "checks.h"
#include "cursor.h"
#include "draw.h"
#include "icon.h"

namespace {

using namespace vellumino::painter;

bool fail(const QString& message)
{
    std::fprintf(stderr, "vellumino-painter: %s\n", qPrintable(message));
    return false;
}

bool save(const QImage& image, const QString& path)
{
    if (!image.save(path, "PNG"))
        return fail(QStringLiteral("cannot write %1").arg(path));
    return true;
}

bool writeFile(const QString& path, const QByteArray& data)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(data) != data.size())
        return fail(QStringLiteral("cannot write %1").arg(path));
    return true;
}

bool report(const QString& what, const QStringList& problems)
{
    for (const QString& p : problems)
        fail(QStringLiteral("%1: %2").arg(what, p));
    return problems.isEmpty();
}

bool paintAll(const QDir& out, const QString& debugDir)
{
    bool ok = true;
    QImage oneX;
    for (int scale : {1, 2}) {
        const QImage picture = paintBackground(scale);
        const QString name =
            scale == 1 ? QStringLiteral("background.png") : QStringLiteral("background@2x.png");
        ok = report(name, checkBackground(picture, scale)) && ok;
        ok = save(picture, out.filePath(name)) && ok;
        if (scale == 1)
            oneX = picture;
    }

    if (!out.mkpath(QStringLiteral("icons")))
        return fail(QStringLiteral("cannot create %1").arg(out.filePath(QStringLiteral("icons"))));
    // 192 and 512 are what a phone asks of a web page it adds to its home screen.
    for (int size : {16, 24, 32, 48, 192, 512})
        ok = save(paintIcon(size), out.filePath(QStringLiteral("icons/vellumino-%1.png").arg(size))) && ok;
    for (int size : {192, 512})
        ok = save(paintMaskableIcon(size), out.filePath(QStringLiteral("icons/vellumino-maskable-%1.png").arg(size))) &&
             ok;

    const QString shape = out.filePath(QStringLiteral("hand.xbm"));
    const QString mask = out.filePath(QStringLiteral("hand-mask.xbm"));
    ok = writeFile(shape, handShapeXbm()) && ok;
    ok = writeFile(mask, handMaskXbm()) && ok;
    ok = report(QStringLiteral("cursor"), checkCursor(shape, mask)) && ok;

    if (!debugDir.isEmpty()) {
        const QDir debug(debugDir);
        debug.mkpath(QStringLiteral("."));
        save(paintOverlay(oneX), debug.filePath(QStringLiteral("overlay.png")));
        save(paintPreview(oneX), debug.filePath(QStringLiteral("preview.png")));
        save(paintPreview(paintBackground(2)), debug.filePath(QStringLiteral("preview@2x.png")));
        const QImage cursor = composeCursor(QImage(shape), QImage(mask));
        QImage checker(cursor.size(), QImage::Format_ARGB32);
        checker.fill(QColor(0x7f, 0xb0, 0x7f));
        {
            QPainter p(&checker);
            p.drawImage(0, 0, cursor);
        }
        save(checker.scaled(cursor.size() * 10), debug.filePath(QStringLiteral("cursor.png")));
        for (int size : {16, 24, 32, 48})
            save(paintIcon(size).scaled(QSize(size, size) * (192 / size)),
                 debug.filePath(QStringLiteral("icon-%1-zoom.png").arg(size)));
    }
    return ok;
}

}  // namespace

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Paints Vellumino's background, icon and cursor."));
    parser.addHelpOption();
    parser.addPositionalArgument(QStringLiteral("out"), QStringLiteral("Folder to write the artwork into."));
    const QCommandLineOption debugOption(
        QStringLiteral("debug"), QStringLiteral("Also write pictures for checking by eye into <dir>."),
        QStringLiteral("dir"));
    parser.addOption(debugOption);
    parser.process(app);
    if (parser.positionalArguments().size() != 1)
        parser.showHelp(2);

    if (!fontAvailable()) {
        fail(QStringLiteral("the font \"%1\" is not installed (Debian: fonts-wqy-microhei)")
                 .arg(QString::fromLatin1(kFontFamily)));
        return 1;
    }

    const QDir out(parser.positionalArguments().first());
    if (!out.exists() && !QDir().mkpath(out.path())) {
        fail(QStringLiteral("cannot create %1").arg(out.path()));
        return 1;
    }
    return paintAll(out, parser.value(debugOption)) ? 0 : 1;
}
