#include "contrast.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusVariant>

namespace vellumino {

namespace {

const QString kPortal = QStringLiteral("org.freedesktop.portal.Desktop");
const QString kPath = QStringLiteral("/org/freedesktop/portal/desktop");
const QString kSettings = QStringLiteral("org.freedesktop.portal.Settings");
const QString kAppearance = QStringLiteral("org.freedesktop.appearance");
const QString kContrast = QStringLiteral("contrast");
const QString kGnomeAccessibility = QStringLiteral("org.gnome.desktop.a11y.interface");
const QString kGnomeHighContrast = QStringLiteral("high-contrast");

// The portal's Read wraps its value in a second variant.
QVariant Unwrapped(QVariant value)
{
    while (value.canConvert<QDBusVariant>())
        value = qvariant_cast<QDBusVariant>(value).variant();
    return value;
}

}  // namespace

ContrastWatcher::ContrastWatcher(QObject* parent) : QObject(parent)
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        return;
    bus.connect(kPortal, kPath, kSettings, QStringLiteral("SettingChanged"), this,
                SLOT(settingChanged(QString, QString, QDBusVariant)));
    read(kAppearance, kContrast);
    read(kGnomeAccessibility, kGnomeHighContrast);
}

void ContrastWatcher::read(const QString& group, const QString& key)
{
    QDBusMessage message = QDBusMessage::createMethodCall(kPortal, kPath, kSettings, QStringLiteral("Read"));
    message << group << key;
    // Asynchronous: a portal that is slow to start must not hold the window.
    auto* pending = new QDBusPendingCallWatcher(QDBusConnection::sessionBus().asyncCall(message), this);
    connect(pending, &QDBusPendingCallWatcher::finished, this,
            [this, group, key](QDBusPendingCallWatcher* call) {
                call->deleteLater();
                const QDBusMessage reply = call->reply();
                if (reply.type() == QDBusMessage::ReplyMessage && !reply.arguments().isEmpty())
                    update(group, key, reply.arguments().first());
            });
}

void ContrastWatcher::settingChanged(const QString& group, const QString& key, const QDBusVariant& value)
{
    update(group, key, value.variant());
}

void ContrastWatcher::update(const QString& group, const QString& key, const QVariant& value)
{
    const bool before = highContrast();
    if (group == kAppearance && key == kContrast)
        freedesktop_ = Unwrapped(value).toUInt() == 1;  // 0 no preference, 1 higher contrast
    else if (group == kGnomeAccessibility && key == kGnomeHighContrast)
        gnome_ = Unwrapped(value).toBool();
    else
        return;
    if (highContrast() != before)
        emit changed(highContrast());
}

}  // namespace vellumino
