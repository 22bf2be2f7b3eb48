// Copy, clear and the link, driven through the real window's click zones.
#include <QClipboard>
#include <QGuiApplication>
#include <QLineEdit>
#include <QTest>
#include <QUrl>

#include <functional>
#include <map>

#include "url_recorder.h"
#include "window_harness.h"

using namespace vellumino;

namespace {

const QString kConfirmation = QStringLiteral("QQ签名已复制、请在QQ中粘贴");

}  // namespace

class OutputTest : public QObject, protected WindowHarness {
    Q_OBJECT

private:
    static QClipboard* clipboard() { return QGuiApplication::clipboard(); }
    void expectState(const QString& text, const QString& chat, const QString& card)
    {
        QCOMPARE(field()->text(), text);
        QCOMPARE(caption("Label1"), chat);
        QCOMPARE(caption("Label2"), card);
    }

private Q_SLOTS:
    void init()
    {
        QVERIFY(openWindow());
        clipboard()->setText(QStringLiteral("held before"));
    }
    void cleanup() { closeWindow(); }

    // Each row: what the user types, then the zones clicked before 复制.
    void copyTakesExactlyTheField_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QStringList>("zones");
        QTest::addColumn<QString>("expected");
        QTest::newRow("as typed") << "个性签名" << QStringList() << "个性签名";
        QTest::newRow("ornaments") << "签名" << QStringList{"Label4"} << "↗℡签名╰☆";
        QTest::newRow("martian") << "我的签名" << QStringList{"Label5"} << "莪哋签洺";
        QTest::newRow("everything") << "我的签名" << QStringList{"Label5", "Label3", "Label4"}
                                    << "↗℡莪 哋 签 洺╰☆";
        QTest::newRow("emoji") << QStringLiteral("签名\U0001F600!") << QStringList{"Label3"}
                               << QStringLiteral("签 名 \U0001F600 !");
        QTest::newRow("markup and ampersand") << "<b>A&B</b>" << QStringList() << "<b>A&B</b>";
        QTest::newRow("empty") << "" << QStringList() << "";
    }
    void copyTakesExactlyTheField()
    {
        QFETCH(QString, typed);
        QFETCH(QStringList, zones);
        QFETCH(QString, expected);
        retype(typed);
        for (const QString& zone : zones)
            click(qPrintable(zone));
        QCOMPARE(field()->text(), expected);
        click("Label7");
        QCOMPARE(clipboard()->text(), expected);
        // Only the hover card changes; an empty field still confirms.
        expectState(expected, expected, kConfirmation);
        // A second copy gives the same again.
        click("Label7");
        QCOMPARE(clipboard()->text(), expected);
        expectState(expected, expected, kConfirmation);
    }

    void confirmationLastsUntilTheNextChange_data()
    {
        QTest::addColumn<QString>("change");
        QTest::addColumn<QString>("expected");
        QTest::newRow("typing") << "type"
                                << "↗℡签名╰☆!";
        QTest::newRow("加符号 on a framed signature") << "Label4"
                                                      << "↗℡签名╰☆";
        QTest::newRow("加空格 leaving it as it was") << "Label3"
                                                     << "↗ ℡ 签 名 ╰ ☆";
        QTest::newRow("undo") << "undo"
                              << "签名";
        QTest::newRow("清空") << "Label8"
                              << "";
    }
    void confirmationLastsUntilTheNextChange()
    {
        QFETCH(QString, change);
        QFETCH(QString, expected);
        const std::map<QString, std::function<void()>> changes{
            {"type", [this] { type(QStringLiteral("!")); }},
            {"undo", [this] { QTest::keyClick(field(), Qt::Key_Z, Qt::ControlModifier); }},
        };
        retype(QStringLiteral("签名"));
        click("Label4");
        if (change == "Label3") {
            click("Label3");  // spread once, so the click below changes nothing
            QCOMPARE(field()->text(), expected);
        }
        const QString before = field()->text();
        click("Label7");
        QCOMPARE(caption("Label2"), kConfirmation);
        // Clicks that change nothing leave the confirmation up.
        {
            const UrlRecorder browser;
            for (const char* idle : {"Label1", "Label2", "Label9"}) {
                click(idle);
                QCOMPARE(caption("Label2"), kConfirmation);
            }
        }
        if (const auto found = changes.find(change); found != changes.end())
            found->second();
        else
            click(qPrintable(change));
        expectState(expected, expected, expected);
        QCOMPARE(clipboard()->text(), before);
    }

    void clearAfterCopyLeavesTheClipboard_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::newRow("signature") << QStringLiteral("莪哋签洺\U0001F600");
        QTest::newRow("already empty") << QString();
    }
    void clearAfterCopyLeavesTheClipboard()
    {
        QFETCH(QString, typed);
        retype(typed);
        click("Label7");
        click("Label8");
        expectState(QString(), QString(), QString());
        QCOMPARE(clipboard()->text(), typed);
        // Clearing again is harmless, and the clear can be undone.
        click("Label8");
        expectState(QString(), QString(), QString());
        if (!typed.isEmpty()) {
            QTest::keyClick(field(), Qt::Key_Z, Qt::ControlModifier);
            expectState(typed, typed, typed);
        }
    }

    void linkOpensTheConstantOncePerClick()
    {
        const UrlRecorder recorder;
        retype(QStringLiteral("https://elsewhere.example/"));
        for (int clicks = 1; clicks <= 3; ++clicks) {
            click("Label9");
            QCOMPARE(recorder.opened.size(), clicks);
            QCOMPARE(recorder.opened.last(), recorder.page);
        }
        const QString text = QStringLiteral("https://elsewhere.example/");
        expectState(text, text, text);
        QCOMPARE(clipboard()->text(), QStringLiteral("held before"));
    }
};

QTEST_MAIN(OutputTest)
#include "output_test.moc"
