// Whether the desktop asks programs for high contrast. Qt 6.4 does not say,
// so it is read where the desktops publish it: the XDG desktop portal's
// appearance setting (freedesktop "contrast", and GNOME's own high-contrast
// switch, which GNOME's portal passes on).
#pragma once

#include <QDBusVariant>  // whole: the slot's types must be known to D-Bus at run time
#include <QObject>

namespace vellumino {

class ContrastWatcher : public QObject {
    Q_OBJECT

public:
    // Asks the portal once and then follows its changes; without a session
    // bus or a portal, the desktop never asks and nothing is emitted.
    explicit ContrastWatcher(QObject* parent = nullptr);

    bool highContrast() const { return freedesktop_ || gnome_; }

signals:
    void changed(bool highContrast);

private slots:
    void settingChanged(const QString& group, const QString& key, const QDBusVariant& value);

private:
    void read(const QString& group, const QString& key);
    void update(const QString& group, const QString& key, const QVariant& value);

    bool freedesktop_ = false;
    bool gnome_ = false;
};

}  // namespace vellumino
