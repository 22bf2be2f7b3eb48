#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QScreen>
#include <QTranslator>

#include "accessibility.h"
#include "form1.h"

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Vellumino"));
    QApplication::setApplicationVersion(QStringLiteral(VELLUMINO_VERSION));
#ifdef VELLUMINO_DESKTOP_ID
    QGuiApplication::setDesktopFileName(QStringLiteral(VELLUMINO_DESKTOP_ID));
#endif

    // The field's standard menu (撤销, 剪切, 复制, 粘贴 …) in the desktop's language.
    QTranslator qtTranslations;
    if (qtTranslations.load(QLocale::system(), QStringLiteral("qtbase"), QStringLiteral("_"),
                            QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(&qtTranslations);

    vellumino::InstallAccessibility();
    vellumino::Form1 form;
    // The client area is centred, as on Windows; move() would place the frame.
    QRect client = form.rect();
    client.moveCenter(form.screen()->availableGeometry().center());
    form.setGeometry(client);
    form.show();
    return app.exec();
}
