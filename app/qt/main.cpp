#include <QApplication>
#include <QScreen>

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

    vellumino::InstallAccessibility();
    vellumino::Form1 form;
    const QRect screen = form.screen()->availableGeometry();
    form.move(screen.center() - form.rect().center());
    form.show();
    return app.exec();
}
