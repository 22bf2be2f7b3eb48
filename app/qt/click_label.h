// The one kind of control laid over the picture: a transparent caption that
// can be clicked. The preview captions carry text; the click zones carry none.
#pragma once

#include <QString>
#include <QWidget>

namespace vellumino {

class ClickLabel : public QWidget {
    Q_OBJECT

public:
    explicit ClickLabel(QWidget* parent = nullptr);

    QString text() const { return text_; }
    void setText(const QString& text);
    // Paints the palette's window colour behind the text, for when the
    // desktop's high-contrast colours replace the skin's over the picture.
    void setTextBackground(bool on);

signals:
    void clicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QString text_;
    bool pressed_ = false;
    bool textBackground_ = false;
};

}  // namespace vellumino
