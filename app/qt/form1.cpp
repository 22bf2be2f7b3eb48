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
#include "hand_bitmap.h"
#include "layout.h"
#include "signature_edit.h"
#include "skin.h"
#include "zone_table.h"

namespace vellumino {

namespace {

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

QColor ToQColor(skin::Colour colour)
{
    return QColor(colour.red, colour.green, colour.blue);
}

QRect ToQRect(const layout::Rect& r)
{
    return {r.x, r.y, r.width, r.height};
}

QCursor HandCursor()
{
    const hand::Bitmap& hand = hand::Hand();
    const QSize size(hand.width, hand.height);
    return QCursor(QBitmap::fromData(size, hand.shape, QImage::Format_MonoLSB),
                   QBitmap::fromData(size, hand.mask, QImage::Format_MonoLSB), hand.hotX, hand.hotY);
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
    Text1->setText(ToQString(skin::kInitialSignature));
    connect(Text1, &QLineEdit::textChanged, this, [this] { model_.Text1_Change(); });

    Label1 = new ClickLabel(this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setGeometry(ToQRect(layout::kLabel1));

    Label2 = new ClickLabel(this);
    Label2->setObjectName(QStringLiteral("Label2"));
    Label2->setGeometry(ToQRect(layout::kLabel2));

    for (const MenuCommand& command : MenuCommands()) {
        auto* action = new QAction(ToQString(command.label), this);
        connect(action, &QAction::triggered, this, [this, &command] { model_.menuCommandChosen(command); });
        menuActions_ << action;
    }
    QList<QAction*> fieldExtras;
    for (const FieldSubmenu& submenu : FieldSubmenus()) {
        auto* styles = new QMenu(ToQString(submenu.label), this);
        for (const MenuCommand& command : submenu.entries)
            styles->addAction(actionFor(command));
        previewFrom(styles);
        fieldExtras << styles->menuAction();
    }
    for (const MenuCommand& command : MenuCommands()) {
        if (command.inFieldMenu)
            fieldExtras << actionFor(command);
    }
    Text1->setMenuExtras(fieldExtras);
    connect(Text1, &SignatureEdit::contextMenuCreated, this, &Form1::previewFrom);

    for (const layout::Zone& zone : layout::kZones) {
        auto* label = new ClickLabel(this);
        label->setObjectName(QString::fromLatin1(zone.objectName));
        label->setGeometry(ToQRect(zone.rect));
        label->setAccessibleName(QString::fromUtf8(zone.caption));
        label->setAccessibleDescription(ToQString(ZoneMenuHint(zone.id)));
        label->setToolTip(ToQString(ZoneMenuHint(zone.id)));
        if (ShowsHandCursor(zone.id))
            label->setCursor(HandCursor());

        connect(label, &ClickLabel::clicked, this, [this, id = zone.id] { model_.zoneClicked(id); });
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
        Text1->setPalette(SkinPalette({{QPalette::Base, ToQColor(skin::kFieldBackground)},
                                       {QPalette::Text, ToQColor(skin::kFieldText)}}));
        Label1->setPalette(SkinPalette({{QPalette::WindowText, ToQColor(skin::kChatCaption)}}));
        Label2->setPalette(SkinPalette({{QPalette::WindowText, ToQColor(skin::kCardCaption)}}));
    }
    // The desktop's text colour may be light: give it its own background.
    Label1->setTextBackground(highContrast);
    Label2->setTextBackground(highContrast);
}

SignatureText Form1::fieldText() const
{
    return Text1->text().toStdU16String();
}

void Form1::replaceFieldText(SignatureView text)
{
    // Not setText, which would wipe the undo history.
    Text1->replaceAll(ToQString(text));
}

void Form1::showCaption(Caption caption, SignatureView text, bool)
{
    (caption == Caption::Label1 ? Label1 : Label2)->setText(ToQString(text));
}

std::uintptr_t Form1::nativeHandle()
{
    return static_cast<std::uintptr_t>(winId());
}

void Form1::showZoneMenu(layout::ZoneId zone, const QPoint& at)
{
    const auto offered = ZoneMenu(zone);
    if (offered.empty())
        return;
    auto* menu = new QMenu(this);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    for (const MenuCommand& command : offered)
        menu->addAction(actionFor(command));
    previewFrom(menu);
    menu->popup(at);
}

QAction* Form1::actionFor(const MenuCommand& command) const
{
    return menuActions_[static_cast<qsizetype>(&command - MenuCommands().data())];
}

void Form1::previewFrom(QMenu* menu)
{
    // Qt highlights an entry for the pointer and for the arrow keys alike.
    connect(menu, &QMenu::hovered, this, [this](QAction* action) {
        const qsizetype index = menuActions_.indexOf(action);
        if (index >= 0)
            model_.menuCommandPreviewed(MenuCommands()[static_cast<std::size_t>(index)]);
        else
            model_.previewEnded();
    });
    connect(menu, &QMenu::aboutToHide, this, [this] { model_.previewEnded(); });
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
