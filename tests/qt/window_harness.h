// What every window suite needs: a shown Form1, its controls by name, and
// ways to drive it as a user would.
#pragma once

#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QTest>

#include <memory>

#include "click_label.h"
#include "form1.h"

namespace vellumino {

class WindowHarness {
protected:
    std::unique_ptr<Form1> form;

    [[nodiscard]] bool openWindow()
    {
        form = std::make_unique<Form1>();
        form->show();
        return QTest::qWaitForWindowExposed(form.get());
    }
    void closeWindow() { form.reset(); }

    QLineEdit* field() const { return form->findChild<QLineEdit*>(QStringLiteral("Text1")); }
    ClickLabel* label(const char* name) const { return form->findChild<ClickLabel*>(QLatin1String(name)); }
    // The menu a right-click on `zone` opened: the one that goes when it
    // closes, beside the field's submenus, which the window keeps.
    QMenu* rightClickMenu(const char* zone) const
    {
        QContextMenuEvent rightClick(QContextMenuEvent::Mouse, QPoint(5, 5), QPoint(5, 5));
        QCoreApplication::sendEvent(label(zone), &rightClick);
        for (QMenu* menu : form->findChildren<QMenu*>()) {
            if (menu->testAttribute(Qt::WA_DeleteOnClose))
                return menu;
        }
        return nullptr;
    }
    QString caption(const char* name) const { return label(name)->text(); }
    void click(const char* zone) { QTest::mouseClick(label(zone), Qt::LeftButton); }

    // Types as a keyboard would, one character per key press; QTest's own
    // keyClicks only knows Latin-1.
    void type(const QString& text)
    {
        for (const char32_t codePoint : text.toUcs4()) {
            QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier,
                            QString::fromUcs4(&codePoint, 1));
            QCoreApplication::sendEvent(field(), &press);
        }
    }
    // Replaces the field's text as the user would: select all, delete, type.
    void retype(const QString& text)
    {
        field()->selectAll();
        QTest::keyClick(field(), Qt::Key_Delete);
        type(text);
    }
};

}  // namespace vellumino
