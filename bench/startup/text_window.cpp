// A second reference for the start-up benchmark: the bare window plus one
// line edit holding Vellumino's initial text in its default font. The gap
// between this and the bare window is what any window showing Chinese text
// pays (fontconfig, the font database, a CJK fallback font); the gap between
// this and Vellumino is the program's own.
#include <QApplication>
#include <QLineEdit>
#include <QWidget>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("Text"));
    window.resize(375, 320);
    auto* field = new QLineEdit(&window);
    field->setGeometry(16, 113, 341, 16);
    field->setText(QStringLiteral("个性签名"));
    field->setFocus();
    window.show();
    return app.exec();
}
