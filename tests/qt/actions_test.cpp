// The output actions against a stand-in window: what they read and write,
// and in which order relative to the clipboard.
#include <QClipboard>
#include <QFileInfo>
#include <QGuiApplication>
#include <QStringList>
#include <QTest>
#include <QUrl>

#include "actions.h"
#include "signature_window.h"
#include "url_recorder.h"

using namespace vellumino;

namespace {

const QString kConfirmation = QStringLiteral("QQ签名已复制、请在QQ中粘贴");

// Records every touch of the window, interleaved with clipboard changes.
class FakeWindow : public SignatureWindow {
public:
    explicit FakeWindow(QString text, QStringList& log) : text_(std::move(text)), log_(log) {}

    SignatureText signature() const override
    {
        log_ << QStringLiteral("read");
        return text_.toStdU16String();
    }
    void writeSignature(SignatureView text) override
    {
        text_ = ToQString(text);
        log_ << QStringLiteral("write:") + text_;
    }
    void setChatPreview(SignatureView text) override { log_ << QStringLiteral("chat:") + ToQString(text); }
    void setCardPreview(SignatureView text) override { log_ << QStringLiteral("card:") + ToQString(text); }
    std::uintptr_t nativeHandle() override { return 42; }

private:
    static QString ToQString(SignatureView text)
    {
        return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
    }

    QString text_;
    QStringList& log_;
};

}  // namespace

class ActionsTest : public QObject {
    Q_OBJECT

private:
    QStringList log;
    QClipboard* clipboard() const { return QGuiApplication::clipboard(); }

private Q_SLOTS:
    void init()
    {
        clipboard()->setText(QStringLiteral("held before"));
        log.clear();
        connect(clipboard(), &QClipboard::dataChanged, this,
                [this] { log << QStringLiteral("clipboard:") + clipboard()->text(); });
    }
    void cleanup() { disconnect(clipboard(), nullptr, this, nullptr); }

    void copyReplacesThenConfirms_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("plain") << QStringLiteral("个性签名");
        QTest::newRow("ornaments") << QStringLiteral("↗℡莪哋签洺╰☆");
        QTest::newRow("emoji and markup") << QStringLiteral("<b>签名</b> & \U0001F600");
        QTest::newRow("spaces kept") << QStringLiteral("  a  b  ");
        QTest::newRow("lone surrogate") << QString(QChar(0xD83D)) + QStringLiteral("x");
        QTest::newRow("empty") << QString();
    }
    void copyReplacesThenConfirms()
    {
        QFETCH(QString, text);
        FakeWindow window(text, log);
        CopySignature(window);
        // One change of the clipboard, never an empty one in between; the
        // field and the chat caption are never written.
        const QStringList expected{QStringLiteral("read"), QStringLiteral("clipboard:") + text,
                                   QStringLiteral("card:") + kConfirmation};
        QCOMPARE(log, expected);
        QCOMPARE(clipboard()->text(), text);
    }

    void clearOnlyWritesTheField()
    {
        // The window's one write blanks both captions (tested with the model).
        FakeWindow window(QStringLiteral("个性签名"), log);
        ClearSignature(window);
        const QStringList expected{QStringLiteral("write:")};
        QCOMPARE(log, expected);
        QCOMPARE(clipboard()->text(), QStringLiteral("held before"));
    }

    void linkOpensOnlyTheConstantOncePerClick()
    {
        const UrlRecorder recorder;
        QVERIFY(QFileInfo(recorder.page.toLocalFile()).isFile());
        // Text that looks like an address must never be what gets opened.
        FakeWindow window(QStringLiteral("https://elsewhere.example/"), log);
        OpenSignaturePage(window);
        OpenSignaturePage(window);
        QCOMPARE(recorder.opened, QList<QUrl>({recorder.page, recorder.page}));
        QCOMPARE(log, QStringList());
        QCOMPARE(clipboard()->text(), QStringLiteral("held before"));
    }
};

QTEST_MAIN(ActionsTest)
#include "actions_test.moc"
