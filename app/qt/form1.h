// The program's one window: the painted mock-up, the field, the two preview
// captions and the seven click zones laid exactly over their painted buttons.
#pragma once

#include <QList>
#include <QMenu>
#include <QPixmap>
#include <QWidget>

#include "form1_model.h"
#include "layout.h"

namespace vellumino {

class ClickLabel;
class SignatureEdit;

// Qt's controls for the model: the model decides, this only shows.
class Form1 : public QWidget, private Form1View {
    Q_OBJECT

public:
    explicit Form1(QWidget* parent = nullptr);

    // The skin's fixed colours, or the desktop's own where it asks for high
    // contrast; the desktop is followed as it changes.
    void useSystemColours(bool highContrast);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    SignatureText fieldText() const override;
    void replaceFieldText(SignatureView text) override;
    // Qt's static text announces every change of its name already.
    void showCaption(Caption caption, SignatureView text, bool announce) override;
    std::uintptr_t nativeHandle() override;

    // The menu a right-click on `zone` offers.
    void showZoneMenu(layout::ZoneId zone, const QPoint& at);
    // The captions show what the menu's highlighted entry would give.
    void previewFrom(QMenu* menu);
    QAction* actionFor(const MenuCommand& command) const;
    const QPixmap& background();

    Form1Model model_{*this};
    SignatureEdit* Text1;
    ClickLabel* Label1;
    ClickLabel* Label2;
    QPixmap background_;
    QList<QAction*> menuActions_;  // one per menu command, shared by every menu
};

}  // namespace vellumino
