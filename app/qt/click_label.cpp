#include "click_label.h"

#include <QAccessible>
#include <QMouseEvent>
#include <QPainter>
#include <QTextOption>

namespace vellumino {

ClickLabel::ClickLabel(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_TranslucentBackground);
    setFocusPolicy(Qt::NoFocus);
}

void ClickLabel::setText(const QString& text)
{
    if (text == text_)
        return;
    text_ = text;
    update();
    // Screen readers hear the preview follow the field, and the copy confirmation.
    QAccessibleEvent changed(this, QAccessible::NameChanged);
    QAccessible::updateAccessibility(&changed);
}

void ClickLabel::setTextBackground(bool on)
{
    if (on == textBackground_)
        return;
    textBackground_ = on;
    update();
}

void ClickLabel::paintEvent(QPaintEvent*)
{
    if (text_.isEmpty())
        return;
    // Drawn as plain text, never as rich text or with mnemonics: a signature
    // such as "<b>x</b>" or "A&B" is shown exactly as typed. A long run with
    // no break opportunity still wraps rather than running off the card, and
    // a last line that only partly fits is cut at the widget's edge.
    QTextOption option(Qt::AlignLeft | Qt::AlignTop);
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    QPainter painter(this);
    if (textBackground_)
        painter.fillRect(painter.boundingRect(QRectF(rect()), text_, option), palette().window());
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawText(QRectF(rect()), text_, option);
}

void ClickLabel::mousePressEvent(QMouseEvent* event)
{
    pressed_ = event->button() == Qt::LeftButton;
    event->setAccepted(pressed_);
}

// A click is a left press and release on the same zone. Qt turns the second
// press of a quick pair into a double-click, which lands here too, so every
// click counts however fast they come.
void ClickLabel::mouseReleaseEvent(QMouseEvent* event)
{
    const bool click =
        pressed_ && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint());
    pressed_ = false;
    if (click)
        emit clicked();
}

}  // namespace vellumino
