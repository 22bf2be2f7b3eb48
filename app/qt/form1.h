// The program's one window: the painted mock-up, the field, the two preview
// captions and the seven click zones laid exactly over their painted buttons.
#pragma once

#include <QList>
#include <QPixmap>
#include <QWidget>

#include "layout.h"
#include "signature_window.h"

namespace vellumino {

class ClickLabel;
class SignatureEdit;

class Form1 : public QWidget, public SignatureWindow {
    Q_OBJECT

public:
    explicit Form1(QWidget* parent = nullptr);

    SignatureText signature() const override;
    void writeSignature(SignatureView text) override;
    void setChatPreview(SignatureView text) override;
    void setCardPreview(SignatureView text) override;
    std::uintptr_t nativeHandle() override;

    // The skin's fixed colours, or the desktop's own where it asks for high
    // contrast; the desktop is followed as it changes.
    void useSystemColours(bool highContrast);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void Text1_Change();
    // The reverse commands offered by a right-click on `zone`.
    void showZoneMenu(layout::ZoneId zone, const QPoint& at);
    const QPixmap& background();

    SignatureEdit* Text1;
    ClickLabel* Label1;
    ClickLabel* Label2;
    QPixmap background_;
    QList<QAction*> menuActions_;  // one per reverse command, shared by every menu
};

}  // namespace vellumino
