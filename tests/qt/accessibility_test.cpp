// What a screen reader finds in the window, read back through QAccessible the
// way an assistive technology walks it: from the window down to its children.
#include <QAccessible>
#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QLineEdit>
#include <QMenu>
#include <QSignalSpy>
#include <QTest>

#include <memory>

#include "accessibility.h"
#include "click_label.h"
#include "layout.h"
#include "window_harness.h"

using namespace vellumino;

class AccessibilityTest : public QObject, protected WindowHarness {
    Q_OBJECT

private:
    QAccessibleInterface* windowInterface() const
    {
        return QAccessible::queryAccessibleInterface(form.get());
    }

    // The window's accessible child for the widget named `name`.
    QAccessibleInterface* child(const QString& name) const
    {
        QAccessibleInterface* window = windowInterface();
        for (int i = 0; i < window->childCount(); ++i) {
            QAccessibleInterface* c = window->child(i);
            if (c != nullptr && c->object() != nullptr && c->object()->objectName() == name)
                return c;
        }
        return nullptr;
    }

private Q_SLOTS:
    void initTestCase() { InstallAccessibility(); }

    void init() { QVERIFY(openWindow()); }
    void cleanup() { closeWindow(); }

    void zonesAreButtonsNamedAfterTheirLabels_data()
    {
        QTest::addColumn<QString>("zone");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("hint");
        for (const layout::Zone& zone : layout::kZones)
            QTest::newRow(zone.objectName.data())
                << QString::fromLatin1(zone.objectName) << QString::fromUtf8(zone.caption)
                << QString::fromStdU16String(std::u16string(ZoneMenuHint(zone.id)));
    }
    void zonesAreButtonsNamedAfterTheirLabels()
    {
        QFETCH(QString, zone);
        QFETCH(QString, caption);
        QAccessibleInterface* button = child(zone);
        QVERIFY2(button != nullptr, "the zone is not among the window's accessible children");
        QCOMPARE(button->role(), QAccessible::Button);
        QCOMPARE(button->text(QAccessible::Name), caption);
        // A menu nobody would guess is said, where there is one.
        QFETCH(QString, hint);
        QCOMPARE(button->text(QAccessible::Description), hint);
        QVERIFY(!button->state().invisible);
        QVERIFY(!button->state().focusable);
        QCOMPARE(button->rect().size(), form->findChild<ClickLabel*>(zone)->size());
        QVERIFY(button->actionInterface() != nullptr);
        QCOMPARE(button->actionInterface()->actionNames(),
                 QStringList{QAccessibleActionInterface::pressAction()});
    }

    // Every control a screen reader meets is one of the window's own, each
    // with a role; no nameless client areas are left over.
    void theWindowHoldsAFieldTwoCaptionsAndSevenButtons()
    {
        QAccessibleInterface* window = windowInterface();
        int buttons = 0, texts = 0, fields = 0;
        for (int i = 0; i < window->childCount(); ++i) {
            switch (window->child(i)->role()) {
                case QAccessible::Button:
                    ++buttons;
                    break;
                case QAccessible::StaticText:
                    ++texts;
                    break;
                case QAccessible::EditableText:
                    ++fields;
                    break;
                default:
                    QFAIL(qPrintable(QStringLiteral("unexpected role %1 for %2")
                                         .arg(window->child(i)->role())
                                         .arg(window->child(i)->object()->objectName())));
            }
        }
        QCOMPARE(buttons, 7);
        QCOMPARE(texts, 2);
        QCOMPARE(fields, 1);
    }

    // The captions are read as what they show, and follow the field.
    void captionsAreStaticTextReadAsTheirText()
    {
        auto* field = form->findChild<QLineEdit*>(QStringLiteral("Text1"));
        for (const QString& text : {QStringLiteral("我的签名"), QStringLiteral("<b>A&B</b>"), QString()}) {
            field->setText(text);
            for (const char* name : {"Label1", "Label2"}) {
                QAccessibleInterface* caption = child(QLatin1String(name));
                QVERIFY(caption != nullptr);
                QCOMPARE(caption->role(), QAccessible::StaticText);
                QCOMPARE(caption->text(QAccessible::Name), text);
            }
        }
    }

    // Pressing a zone from a screen reader does what a click does: 清空
    // empties the field, 加空格 spaces it out.
    void pressingAZoneRunsItsCommand()
    {
        auto* field = form->findChild<QLineEdit*>(QStringLiteral("Text1"));
        QSignalSpy clicks(form->findChild<ClickLabel*>(QStringLiteral("Label3")), &ClickLabel::clicked);
        child(QStringLiteral("Label3"))
            ->actionInterface()
            ->doAction(QAccessibleActionInterface::pressAction());
        QCOMPARE(clicks.count(), 1);
        QCOMPARE(field->text(), QStringLiteral("个 性 签 名"));

        child(QStringLiteral("Label8"))
            ->actionInterface()
            ->doAction(QAccessibleActionInterface::pressAction());
        QCOMPARE(field->text(), QString());

        // Any other action name is not a press.
        child(QStringLiteral("Label3"))
            ->actionInterface()
            ->doAction(QAccessibleActionInterface::toggleAction());
        QCOMPARE(clicks.count(), 1);
    }

    // The reverse commands' menu entries are named as they read.
    void menuEntriesAreNamed_data()
    {
        QTest::addColumn<QString>("zone");
        QTest::addColumn<QString>("entry");
        QTest::newRow("转火星") << "Label5"
                                << "火星文转简体";
        QTest::newRow("转繁体") << "Label6"
                                << "繁体转简体";
    }
    void menuEntriesAreNamed()
    {
        QFETCH(QString, zone);
        QFETCH(QString, entry);
        std::unique_ptr<QMenu> menu(rightClickMenu(zone.toLatin1().constData()));
        QVERIFY(menu);
        QAccessibleInterface* list = QAccessible::queryAccessibleInterface(menu.get());
        QVERIFY(list != nullptr && list->childCount() >= 1);
        QCOMPARE(list->child(0)->role(), QAccessible::MenuItem);
        QCOMPARE(list->child(0)->text(QAccessible::Name), entry);
    }
};

QTEST_MAIN(AccessibilityTest)
#include "accessibility_test.moc"
