// The window on a high-density screen. Run under QT_SCALE_FACTOR=2 (and, as
// a control, 1): the window must paint the picture drawn for that density
// pixel for pixel, not an enlarged copy of the normal one, while every control
// keeps its place in the layout.
#include <QImage>
#include <QLineEdit>
#include <QTest>

#include <memory>

#include "click_label.h"
#include "layout.h"
#include "window_harness.h"

using namespace vellumino;

class HiDpiTest : public QObject, protected WindowHarness {
    Q_OBJECT

private:
    // The scale factor the run was started with.
    static qreal requestedScale()
    {
        bool ok = false;
        const qreal scale = qEnvironmentVariable("QT_SCALE_FACTOR").toDouble(&ok);
        return ok ? scale : 1.0;
    }

private Q_SLOTS:
    void init() { QVERIFY(openWindow()); }
    void cleanup() { closeWindow(); }

    void windowRunsAtTheRequestedScale()
    {
        QCOMPARE(form->devicePixelRatioF(), requestedScale());
        QCOMPARE(form->size(), QSize(layout::kClientWidth, layout::kClientHeight));
    }

    // Areas of the picture no control covers, in layout pixels: the top of the
    // chat-window band and the hover card's portrait.
    void pictureMatchesTheArtworkForThisDensity_data()
    {
        QTest::addColumn<QRect>("area");
        QTest::newRow("header band") << QRect(0, 0, layout::kClientWidth, layout::kLabel1.y);
        QTest::newRow("portrait") << QRect(layout::kPortrait.x, layout::kPortrait.y, layout::kPortrait.width,
                                           layout::kPortrait.height);
    }
    void pictureMatchesTheArtworkForThisDensity()
    {
        QFETCH(QRect, area);
        const qreal scale = requestedScale();
        const QString file = scale > 1.0 ? QStringLiteral(":/vellumino/background@2x.png")
                                         : QStringLiteral(":/vellumino/background.png");
        const int artScale = scale > 1.0 ? 2 : 1;
        const QImage art(file);
        QVERIFY(!art.isNull());
        QCOMPARE(art.size(), QSize(layout::kPictureWidth, layout::kPictureHeight) * artScale);

        const QPixmap shot = form->grab();
        QCOMPARE(shot.devicePixelRatio(), scale);
        QCOMPARE(shot.size(), QSize(layout::kClientWidth, layout::kClientHeight) * scale);

        // At a whole scale the device pixels of the window and of the artwork
        // line up one to one, so the comparison is exact.
        const QRect device(area.topLeft() * artScale, area.size() * artScale);
        const QImage painted = shot.toImage().copy(device).convertToFormat(QImage::Format_RGB32);
        const QImage expected = art.copy(device).convertToFormat(QImage::Format_RGB32);
        QCOMPARE(painted.size(), expected.size());
        int differing = 0;
        for (int y = 0; y < painted.height(); ++y)
            for (int x = 0; x < painted.width(); ++x)
                differing += painted.pixel(x, y) != expected.pixel(x, y);
        QCOMPARE(differing, 0);
    }

    // The field and the zones scale with the window: same layout rectangles,
    // twice the device pixels, so each still lies on its painted button.
    void controlsKeepTheirLayoutRectangles()
    {
        QCOMPARE(form->findChild<QLineEdit*>(QStringLiteral("Text1"))->geometry(),
                 QRect(layout::kText1.x, layout::kText1.y, layout::kText1.width, layout::kText1.height));
        for (const layout::Zone& zone : layout::kZones) {
            auto* label = form->findChild<ClickLabel*>(QLatin1String(zone.objectName));
            QVERIFY(label != nullptr);
            QCOMPARE(label->geometry(), QRect(zone.rect.x, zone.rect.y, zone.rect.width, zone.rect.height));
            QCOMPARE(label->devicePixelRatioF(), requestedScale());
        }
    }
};

QTEST_MAIN(HiDpiTest)
#include "hidpi_test.moc"
