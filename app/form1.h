// The program's one window: the painted mock-up, the field, the two preview
// captions and the seven click zones laid exactly over their painted buttons.
#pragma once

#include <QPixmap>
#include <QWidget>

#include "signature_window.h"

namespace vellumino {

class ClickLabel;
class SignatureEdit;

class Form1 : public QWidget, public SignatureWindow {
    Q_OBJECT

public:
    explicit Form1(QWidget* parent = nullptr);

    QString signature() const override;
    void writeSignature(const QString& text) override;
    void setChatPreview(const QString& text) override;
    void setCardPreview(const QString& text) override;
    WId nativeHandle() override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void Text1_Change();
    const QPixmap& background();

    SignatureEdit* Text1;
    ClickLabel* Label1;
    ClickLabel* Label2;
    QPixmap background_;
};

}  // namespace vellumino
