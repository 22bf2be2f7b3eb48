#include <QApplication>
#include <QBitmap>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QTest>

#include "layout.h"
#include "signature_edit.h"
#include "window_harness.h"

using namespace vellumino;

namespace {

// Sets the application's palette as a desktop theme would, and waits until
// the window has it.
void SetDesktopPalette(const QPalette& palette, const QWidget& window)
{
    QApplication::setPalette(palette);
    QTRY_COMPARE(window.palette().color(QPalette::Window), palette.color(QPalette::Window));
}

}  // namespace

class Form1Test : public QObject, protected WindowHarness {
    Q_OBJECT

private:
    void expectPreviews(const QString& text)
    {
        QCOMPARE(caption("Label1"), text);
        QCOMPARE(caption("Label2"), text);
    }

private Q_SLOTS:
    void init() { QVERIFY(openWindow()); }
    void cleanup() { closeWindow(); }

    void controlsSitOnTheirRectangles_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QRect>("rect");
        QTest::newRow("Text1") << "Text1" << QRect(16, 113, 341, 16);
        QTest::newRow("Label1") << "Label1" << QRect(75, 22, 293, 25);
        QTest::newRow("Label2") << "Label2" << QRect(99, 200, 178, 41);
        QTest::newRow("Label3") << "Label3" << QRect(10, 139, 76, 34);
        QTest::newRow("Label4") << "Label4" << QRect(104, 140, 74, 33);
        QTest::newRow("Label6") << "Label6" << QRect(197, 140, 74, 33);
        QTest::newRow("Label5") << "Label5" << QRect(289, 138, 76, 35);
        QTest::newRow("Label7") << "Label7" << QRect(290, 183, 74, 34);
        QTest::newRow("Label8") << "Label8" << QRect(290, 229, 74, 36);
        QTest::newRow("Label9") << "Label9" << QRect(100, 281, 270, 35);
    }
    void controlsSitOnTheirRectangles()
    {
        QFETCH(QString, name);
        QFETCH(QRect, rect);
        auto* control = form->findChild<QWidget*>(name);
        QVERIFY(control);
        QCOMPARE(control->geometry(), rect);
        // Resizing the window moves nothing.
        form->resize(900, 700);
        QCOMPARE(control->geometry(), rect);
        form->showMaximized();
        QCOMPARE(control->geometry(), rect);
    }

    void noTwoControlsOverlap()
    {
        auto controls = form->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly);
        controls.removeIf([](const QWidget* child) { return child->isWindow(); });  // the menus
        QCOMPARE(controls.size(), 10);
        for (auto* a : controls)
            for (auto* b : controls)
                if (a != b)
                    QVERIFY2(!a->geometry().intersects(b->geometry()),
                             qPrintable(a->objectName() + " overlaps " + b->objectName()));
    }

    void opensAsDescribed()
    {
        QCOMPARE(form->windowTitle(), QStringLiteral("Vellumino"));
        QCOMPARE(form->size(), QSize(375, 320));
        QVERIFY(!form->windowIcon().isNull());
        QCOMPARE(field()->text(), QStringLiteral("个性签名"));
        QVERIFY(!field()->hasFrame());
        QVERIFY(field()->hasFocus());
        expectPreviews(QString());
        QCOMPARE(label("Label2")->palette().color(QPalette::WindowText), QColor(128, 128, 128));
        // The field is the only control the keyboard can reach.
        for (auto* control : form->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly))
            QCOMPARE(control->focusPolicy() != Qt::NoFocus, control == field());
        QTest::keyClick(form.get(), Qt::Key_Tab);
        QVERIFY(field()->hasFocus());
    }

    void linkShowsTheHand()
    {
        const QCursor hand = label("Label9")->cursor();
        QCOMPARE(hand.shape(), Qt::BitmapCursor);
        QCOMPARE(hand.hotSpot(), QPoint(6, 0));
        QCOMPARE(hand.bitmap().size(), QSize(32, 32));
        QCOMPARE(label("Label3")->cursor().shape(), Qt::ArrowCursor);
    }

    void backgroundIsThePicture()
    {
        const QImage shot = form->grab().toImage();
        // Inside the painted frame the picture is white, matching the field.
        QCOMPARE(QColor(shot.pixel(14, 120)), QColor(Qt::white));
        // Beyond the picture a larger window shows the button face.
        form->resize(500, 400);
        const QImage larger = form->grab().toImage();
        QCOMPARE(QColor(larger.pixel(450, 350)), form->palette().button().color());
    }

    void skinColoursIgnoreADarkPaletteButNotHighContrast()
    {
        retype(QStringLiteral("个性签名 signature"));
        field()->clearFocus();  // no blinking caret in the pictures
        const QRect skin =
            label("Label1")->geometry().united(label("Label2")->geometry()).united(field()->geometry());
        const QImage light = form->grab(skin).toImage();
        const QPalette original = QApplication::palette();
        const QPalette dark(QColor(53, 53, 53));  // light text on black fields
        SetDesktopPalette(dark, *form);
        const QImage darkShot = form->grab(skin).toImage();
        form->useSystemColours(true);
        const QImage contrastField = field()->grab().toImage();
        const QImage contrastChat = label("Label1")->grab().toImage();
        form->useSystemColours(false);
        SetDesktopPalette(original, *form);
        QCOMPARE(darkShot, light);
        QCOMPARE(label("Label1")->palette().color(QPalette::WindowText), QColor(Qt::black));
        // In high contrast the desktop's colours win, and the caption's text
        // stands on the window colour rather than on the picture.
        QCOMPARE(QColor(contrastField.pixel(contrastField.width() - 2, 2)), dark.color(QPalette::Base));
        QCOMPARE(QColor(contrastChat.pixel(1, 1)), dark.color(QPalette::Window));
    }

    void typingUpdatesBothPreviews()
    {
        QTest::keyClicks(field(), QStringLiteral("!"));
        expectPreviews(QStringLiteral("个性签名!"));
        field()->selectAll();
        QTest::keyClick(field(), Qt::Key_Delete);
        expectPreviews(QString());
    }

    void previewsShowTextLiterally_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("markup") << "<b>x</b>";
        QTest::newRow("image") << "<img src=x>";
        QTest::newRow("ampersand") << "A&B &&";
        QTest::newRow("emoji") << QStringLiteral("签名\U0001F600");
    }
    void previewsShowTextLiterally()
    {
        QFETCH(QString, text);
        retype(text);
        expectPreviews(text);
    }

    void clicksOnThePreviewsDoNothing()
    {
        retype(QStringLiteral("abc"));
        for (const char* caption : {"Label1", "Label2"}) {
            click(caption);
            QCOMPARE(field()->text(), QStringLiteral("abc"));
            expectPreviews(QStringLiteral("abc"));
        }
    }

    void spacesButtonSpreadsTheSignature()
    {
        click("Label3");
        QCOMPARE(field()->text(), QStringLiteral("个 性 签 名"));
        expectPreviews(QStringLiteral("个 性 签 名"));
    }

    void commandIsUndoable()
    {
        retype(QStringLiteral("abc"));
        click("Label3");
        QCOMPARE(field()->text(), QStringLiteral("a b c"));
        QTest::keyClick(field(), Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(field()->text(), QStringLiteral("abc"));
        expectPreviews(QStringLiteral("abc"));
        QTest::keyClick(field(), Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(field()->text(), QStringLiteral("a b c"));
    }

    void unchangedWriteStillRefreshesPreviews()
    {
        retype(QStringLiteral("a b"));
        label("Label2")->setText(QStringLiteral("status"));
        click("Label3");  // "a b" is already spread
        expectPreviews(QStringLiteral("a b"));
    }

    void commandResultIsKeptWhole()
    {
        const QString forty(40, u'x');
        retype(forty);
        QCOMPARE(field()->text(), forty);
        click("Label3");
        QCOMPARE(field()->text().size(), 79);
        // Past the limit, typing is refused but editing down still works.
        QTest::keyClicks(field(), QStringLiteral("y"));
        QCOMPARE(field()->text().size(), 79);
        QTest::keyClick(field(), Qt::Key_Backspace);
        QCOMPARE(field()->text().size(), 78);
    }

    void typingIsHeldToTheLimit_data()
    {
        QTest::addColumn<QString>("held");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("expected");
        const QString a38(38, u'a'), a39(39, u'a'), a40(40, u'a');
        QTest::newRow("past the limit") << "" << QString(45, u'a') << a40;
        // An emoji that would end half inside the limit is refused whole.
        QTest::newRow("emoji at the edge") << a39 << QStringLiteral("\U0001F600") << a39;
        // Invisible characters take room like any other.
        QTest::newRow("ZWNJ when full") << a40 << QStringLiteral("\u200C") << a40;
        QTest::newRow("ZWJ LRM RLM") << a38 << QStringLiteral("\u200D\u200E\u200F")
                                     << a38 + QStringLiteral("\u200D\u200E");
        QTest::newRow("private use when full") << a40 << QStringLiteral("\uE000") << a40;
        // Enter, Esc, Tab, Ctrl+A and Ctrl+Backspace's characters put nothing in.
        QTest::newRow("control characters") << "ab" << QStringLiteral("\r\x1b\t\x01\x7f\u0085") << "ab";
    }
    void typingIsHeldToTheLimit()
    {
        QFETCH(QString, held);
        QFETCH(QString, typed);
        QFETCH(QString, expected);
        retype(held);
        type(typed);
        QCOMPARE(field()->text(), expected);
    }

    void editingKeys_data()
    {
        QTest::addColumn<QString>("held");
        QTest::addColumn<int>("cursor");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("expected");
        const QString emoji = QStringLiteral("\U0001F600");
        QTest::newRow("Ctrl+Backspace")
            << "one two" << 7 << int(Qt::Key_Backspace) << int(Qt::ControlModifier) << "\x7f" << "one ";
        QTest::newRow("Backspace after an emoji")
            << "a" + emoji << 3 << int(Qt::Key_Backspace) << 0 << "\b" << "a";
        QTest::newRow("Delete before an emoji")
            << emoji + "a" << 0 << int(Qt::Key_Delete) << 0 << "\x7f" << "a";
        // Qt's own Backspace would leave the thumb without its skin tone.
        QTest::newRow("Backspace after a skin tone")
            << QStringLiteral("我\U0001F44D\U0001F3FD") << 5 << int(Qt::Key_Backspace) << 0 << "\b" << "我";
        QTest::newRow("Delete before a family")
            << QStringLiteral("\U0001F468\u200D\U0001F469\u200D\U0001F467!") << 0 << int(Qt::Key_Delete) << 0
            << "\x7f" << "!";
        QTest::newRow("Ctrl+Backspace after a heart")
            << QStringLiteral("我\u2764\uFE0F") << 3 << int(Qt::Key_Backspace) << int(Qt::ControlModifier)
            << "\x7f" << "我";
    }
    void editingKeys()
    {
        QFETCH(QString, held);
        QFETCH(int, cursor);
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(QString, text);
        QFETCH(QString, expected);
        retype(held);
        field()->setCursorPosition(cursor);
        QKeyEvent press(QEvent::KeyPress, key, Qt::KeyboardModifiers(modifiers), text);
        QCoreApplication::sendEvent(field(), &press);
        QCOMPARE(field()->text(), expected);
    }

    void everyCommandIsOneUndoStep()
    {
        auto undo = [this] { QTest::keyClick(field(), Qt::Key_Z, Qt::ControlModifier); };
        // A command on an empty field is not folded into the clear before it.
        click("Label8");
        click("Label4");
        undo();
        QCOMPARE(field()->text(), QString());
        // Typing after a command, or after a clear, is a step of its own.
        retype(QStringLiteral("签名"));
        click("Label3");
        type(QStringLiteral("x"));
        undo();
        QCOMPARE(field()->text(), QStringLiteral("签 名"));
        click("Label8");
        type(QStringLiteral("y"));
        undo();
        QCOMPARE(field()->text(), QString());
    }

    void pasteIsHeldToTheLimit_data()
    {
        QTest::addColumn<QString>("held");
        QTest::addColumn<QString>("clipboard");
        QTest::addColumn<QString>("expected");
        QTest::newRow("fits") << "ab"
                              << "cd"
                              << "abcd";
        QTest::newRow("cut at the limit")
            << QString(30, u'a') << QString(20, u'b') << QString(30, u'a') + QString(10, u'b');
        QTest::newRow("never half a pair")
            << QString(39, u'a') << QStringLiteral("\U0001F600z") << QString(39, u'a');
        QTest::newRow("whole pair fits") << QString(38, u'a') << QStringLiteral("\U0001F600z")
                                         << QString(38, u'a') + QStringLiteral("\U0001F600");
        QTest::newRow("line breaks become spaces") << ""
                                                   << "one\r\ntwo\nthree\rfour"
                                                   << "one two three four";
        QTest::newRow("full field takes nothing") << QString(40, u'a') << "b" << QString(40, u'a');
        // What does not fit whole stays out: no heart without its selector,
        // no man without his family, no e without its accent.
        QTest::newRow("no half heart") << QString(39, u'a') << QStringLiteral("\u2764\uFE0F")
                                       << QString(39, u'a');
        QTest::newRow("no half family") << QString(38, u'a')
                                        << QStringLiteral("\U0001F468\u200D\U0001F469\u200D\U0001F467")
                                        << QString(38, u'a');
        QTest::newRow("no bare e") << QString(39, u'a') << QStringLiteral("e\u0301") << QString(39, u'a');
    }
    void pasteIsHeldToTheLimit()
    {
        QFETCH(QString, held);
        QFETCH(QString, clipboard);
        QFETCH(QString, expected);
        field()->clear();
        type(held);
        QGuiApplication::clipboard()->setText(clipboard);
        QTest::keyClick(field(), Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(field()->text(), expected);
        expectPreviews(expected);
    }

    void pasteReplacesTheSelection()
    {
        retype(QString(40, u'a'));
        field()->selectAll();
        QGuiApplication::clipboard()->setText(QString(50, u'b'));
        QTest::keyClick(field(), Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(field()->text(), QString(40, u'b'));
    }

    void shiftInsertPastesFitted()
    {
        retype(QString(30, u'a'));
        QGuiApplication::clipboard()->setText(QString(20, u'b'));
        QTest::keyClick(field(), Qt::Key_Insert, Qt::ShiftModifier);
        QCOMPARE(field()->text(), QString(30, u'a') + QString(10, u'b'));
    }

    void contextMenuPasteIsHeldToo()
    {
        auto* edit = form->findChild<SignatureEdit*>(QStringLiteral("Text1"));
        retype(QString(35, u'a'));
        QGuiApplication::clipboard()->setText(QStringLiteral("line\nbreak"));
        std::unique_ptr<QMenu> menu(edit->createContextMenu());
        int pastes = 0;
        for (QAction* action : menu->actions()) {
            if (action->text().startsWith(QStringLiteral("&Paste"))) {
                action->trigger();
                ++pastes;
            }
        }
        QCOMPARE(pastes, 1);
        QCOMPARE(field()->text(), QString(35, u'a') + QStringLiteral("line "));
    }

    // A drop from another program that only partly fits is answered as a
    // copy, so a move's source does not delete what stayed out; one with
    // nothing to put in is refused. Shift asks for a move each time.
    void dropCutToFitIsACopy_data()
    {
        QTest::addColumn<int>("held");
        QTest::addColumn<QString>("dragged");
        QTest::addColumn<QString>("added");
        QTest::addColumn<bool>("accepted");
        QTest::addColumn<int>("action");
        QTest::newRow("cut") << 37 << "abcde" << "abc" << true << int(Qt::CopyAction);
        QTest::newRow("controls left out") << 30 << "a\tb" << "ab" << true << int(Qt::CopyAction);
        QTest::newRow("nothing fits") << 40 << "abc" << "" << false << int(Qt::IgnoreAction);
    }
    void dropCutToFitIsACopy()
    {
        QFETCH(int, held);
        QFETCH(QString, dragged);
        QFETCH(QString, added);
        QFETCH(bool, accepted);
        QFETCH(int, action);
        retype(QString(held, u'x'));
        QMimeData data;
        data.setText(dragged);
        const QPoint at(field()->width() - 2, field()->height() / 2);
        QDragEnterEvent enter(at, Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(field(), &enter);  // a drop goes where the drag entered
        QDropEvent drop(at, Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton, Qt::ShiftModifier);
        drop.setDropAction(Qt::MoveAction);
        QCoreApplication::sendEvent(field(), &drop);
        QCOMPARE(field()->text(), QString(held, u'x') + added);
        QCOMPARE(drop.isAccepted(), accepted);
        if (accepted)
            QCOMPARE(int(drop.dropAction()), action);
    }

    void reverseCommandsFromBothMenus_data()
    {
        QTest::addColumn<QString>("zone");
        QTest::addColumn<QString>("entry");
        QTest::addColumn<QString>("styled");
        QTest::addColumn<QString>("plain");
        QTest::newRow("Martian") << "Label5"
                                 << "火星文转简体"
                                 << "莪哋签洺"
                                 << "我的签名";
        QTest::newRow("traditional") << "Label6"
                                     << "繁体转简体"
                                     << "個性簽名"
                                     << "个性签名";
    }
    void reverseCommandsFromBothMenus()
    {
        QFETCH(QString, zone);
        QFETCH(QString, entry);
        QFETCH(QString, styled);
        QFETCH(QString, plain);

        // A right-click on the button offers its reverse command first.
        retype(styled);
        QMenu* menu = rightClickMenu(zone.toLatin1().constData());
        QVERIFY(menu);
        QCOMPARE(menu->actions().first()->text(), entry);
        // The entry the pointer or the arrow keys are on previews, and only
        // previews, until the menu closes.
        menu->setActiveAction(menu->actions().first());
        expectPreviews(plain);
        QCOMPARE(field()->text(), styled);
        menu->hide();
        expectPreviews(styled);
        menu->actions().first()->trigger();
        QCOMPARE(field()->text(), plain);
        expectPreviews(plain);
        QTest::keyClick(field(), Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(field()->text(), styled);
        delete menu;

        // The field's own menu ends with both, after a submenu of styles for
        // each button, which preview too.
        auto* edit = form->findChild<SignatureEdit*>(QStringLiteral("Text1"));
        std::unique_ptr<QMenu> fieldMenu(edit->createContextMenu());
        const QList<QAction*> actions = fieldMenu->actions();
        QVERIFY(actions.size() > 5);
        QMenu* letters = actions[actions.size() - 3]->menu();
        QVERIFY(letters && actions[actions.size() - 5]->menu());
        letters->setActiveAction(letters->actions().first());
        expectPreviews(QString::fromStdU16String(MenuResult(FieldSubmenus().back().entries.front(),
                                                            styled.toStdU16String())));
        letters->hide();
        expectPreviews(styled);
        const QStringList tail{actions[actions.size() - 2]->text(), actions.last()->text()};
        QVERIFY(tail.contains(entry));
        actions[tail.indexOf(entry) + actions.size() - 2]->trigger();
        QCOMPARE(field()->text(), plain);
    }

    void fitToRoomCutsCleanly_data()
    {
        QTest::addColumn<QString>("incoming");
        QTest::addColumn<int>("room");
        QTest::addColumn<QString>("expected");
        QTest::newRow("no room") << "abc" << 0 << "";
        QTest::newRow("negative room") << "abc" << -3 << "";
        QTest::newRow("pair at the edge") << QStringLiteral("a\U0001F600") << 2 << "a";
        QTest::newRow("lone high surrogate kept")
            << QString(QChar(0xD800)) + "a" << 1 << QString(QChar(0xD800));
        QTest::newRow("separators") << QString(QChar(QChar::LineSeparator)) + "a" +
                                           QChar(QChar::ParagraphSeparator)
                                    << 10 << " a ";
    }
    void fitToRoomCutsCleanly()
    {
        QFETCH(QString, incoming);
        QFETCH(int, room);
        QFETCH(QString, expected);
        QCOMPARE(FitToRoom(incoming, room), expected);
    }
};

QTEST_MAIN(Form1Test)
#include "form1_test.moc"
