// The baseline for the start-up benchmark: the least a Qt 6 Widgets program
// does to put a window of Vellumino's size on the screen.
#include <QApplication>
#include <QWidget>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("Bare"));
    window.resize(375, 320);
    window.show();
    return app.exec();
}
