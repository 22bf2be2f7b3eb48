#include "form1.h"

#include <QAction>
#include <QBitmap>
#include <QCursor>
#include <QIcon>
#include <QMenu>
#include <QPainter>
#include <QScreen>

#include "click_label.h"
#include "contrast.h"
#include "layout.h"
#include "signature_edit.h"
#include "zone_table.h"

namespace vellumino {

namespace {

const QString kInitialSignature = QStringLiteral("个性签名");

// The skin's colours, chosen with the picture under them: a dark desktop
// palette would put grey in the white field and light text on the light
// header. The selection keeps the desktop's colours.
QPalette SkinPalette(std::initializer_list<std::pair<QPalette::ColorRole, QColor>> roles)
{
    QPalette palette;  // sets nothing but these roles; the rest is inherited
    for (const auto& [role, colour] : roles)
        palette.setColor(role, colour);
    return palette;
}

QRect ToQRect(const layout::Rect& r)
{
    return {r.x, r.y, r.width, r.height};
}

QCursor HandCursor()
{
    return QCursor(QBitmap(QStringLiteral(":/vellumino/hand.xbm")),
                   QBitmap(QStringLiteral(":/vellumino/hand-mask.xbm")), 6, 0);
}

QIcon AppIcon()
{
    QIcon icon;
    for (const int size : {16, 24, 32, 48})
        icon.addFile(QStringLiteral(":/vellumino/icons/vellumino-%1.png").arg(size), QSize(size, size));
    return icon;
}

QString ToQString(SignatureView text)
{
    return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

Form1::Form1(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Vellumino"));
    setWindowIcon(AppIcon());
    resize(layout::kClientWidth, layout::kClientHeight);

    // Created in tab order. Only the field takes the focus; the zones are
    // reached with the mouse.
    Text1 = new SignatureEdit(this);
    Text1->setObjectName(QStringLiteral("Text1"));
    Text1->setGeometry(ToQRect(layout::kText1));
    Text1->setText(kInitialSignature);
    connect(Text1, &QLineEdit::textChanged, this, &Form1::Text1_Change);

    Label1 = new ClickLabel(this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setGeometry(ToQRect(layout::kLabel1));

    Label2 = new ClickLabel(this);
    Label2->setObjectName(QStringLiteral("Label2"));
    Label2->setGeometry(ToQRect(layout::kLabel2));

    for (const MenuCommand& command : MenuCommands()) {
        auto* action = new QAction(ToQString(command.label), this);
        connect(action, &QAction::triggered, this, [this, &command] { RunMenuCommand(command, *this); });
        menuActions_ << action;
    }
    Text1->setMenuExtras(menuActions_);

    for (const layout::Zone& zone : layout::kZones) {
        auto* label = new ClickLabel(this);
        label->setObjectName(QString::fromLatin1(zone.objectName));
        label->setGeometry(ToQRect(zone.rect));
        label->setAccessibleName(QString::fromUtf8(zone.caption));
        if (zone.id == layout::ZoneId::Label9)
            label->setCursor(HandCursor());

        connect(label, &ClickLabel::clicked, this, [this, id = zone.id] { RunZoneCommand(id, *this); });
        label->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(label, &QWidget::customContextMenuRequested, this,
                [this, label, id = zone.id](const QPoint& at) { showZoneMenu(id, label->mapToGlobal(at)); });
    }

    auto* contrast = new ContrastWatcher(this);
    connect(contrast, &ContrastWatcher::changed, this, &Form1::useSystemColours);
    useSystemColours(contrast->highContrast());

    Text1->setFocus();
}

void Form1::useSystemColours(bool highContrast)
{
    if (highContrast) {
        // An empty palette sets no role, so every colour is the desktop's.
        for (QWidget* control : {static_cast<QWidget*>(Text1), static_cast<QWidget*>(Label1),
                                 static_cast<QWidget*>(Label2)})
            control->setPalette(QPalette());
    } else {
        Text1->setPalette(SkinPalette({{QPalette::Base, Qt::white}, {QPalette::Text, Qt::black}}));
        Label1->setPalette(SkinPalette({{QPalette::WindowText, Qt::black}}));
        Label2->setPalette(SkinPalette({{QPalette::WindowText, QColor(128, 128, 128)}}));
    }
    // The desktop's text colour may be light: give it its own background.
    Label1->setTextBackground(highContrast);
    Label2->setTextBackground(highContrast);
}

SignatureText Form1::signature() const
{
    return Text1->text().toStdU16String();
}

void Form1::writeSignature(SignatureView view)
{
    const QString text = ToQString(view);
    // Not setText, which would wipe the undo history. Qt stays silent when
    // the text is unchanged, yet the previews must still refresh (and a copy
    // confirmation must go).
    const bool unchanged = text == Text1->text();
    Text1->replaceAll(text);
    if (unchanged)
        Text1_Change();
}

void Form1::setChatPreview(SignatureView text)
{
    Label1->setText(ToQString(text));
}

void Form1::setCardPreview(SignatureView text)
{
    Label2->setText(ToQString(text));
}

std::uintptr_t Form1::nativeHandle()
{
    return static_cast<std::uintptr_t>(winId());
}

void Form1::showZoneMenu(layout::ZoneId zone, const QPoint& at)
{
    QList<QAction*> offered;
    const auto commands = MenuCommands();
    for (std::size_t i = 0; i < commands.size(); ++i) {
        if (commands[i].zone == zone)
            offered << menuActions_[static_cast<qsizetype>(i)];
    }
    if (offered.isEmpty())
        return;
    auto* menu = new QMenu(this);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->addActions(offered);
    menu->popup(at);
}

void Form1::Text1_Change()
{
    Label1->setText(Text1->text());
    Label2->setText(Text1->text());
}

const QPixmap& Form1::background()
{
    // Loaded on first paint, when the screen's pixel ratio is known, and again
    // if the window moves to a screen with another ratio.
    const bool sharp = devicePixelRatioF() > 1.0;
    const qreal wanted = sharp ? 2.0 : 1.0;
    if (background_.isNull() || background_.devicePixelRatio() != wanted) {
        background_.load(sharp ? QStringLiteral(":/vellumino/background@2x.png")
                               : QStringLiteral(":/vellumino/background.png"));
        background_.setDevicePixelRatio(wanted);
    }
    return background_;
}

void Form1::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const QRect picture(0, 0, layout::kPictureWidth, layout::kPictureHeight);
    // Beyond the picture, a larger window shows plain button face.
    const QRegion beyond = QRegion(rect()).subtracted(picture);
    for (const QRect& r : beyond)
        painter.fillRect(r, palette().button());
    // At fractional scales the 2x picture is shrunk; smooth it rather than drop pixels.
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawPixmap(0, 0, background());
}

}  // namespace vellumino
