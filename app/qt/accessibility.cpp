#include "accessibility.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QStringList>

#include <algorithm>

#include "click_label.h"
#include "layout.h"

namespace vellumino {

namespace {

bool IsZone(const QObject* object)
{
    return std::any_of(layout::kZones.begin(), layout::kZones.end(), [object](const layout::Zone& zone) {
        return object->objectName() == QLatin1String(zone.objectName);
    });
}

class ZoneAccessible : public QAccessibleWidget {
public:
    explicit ZoneAccessible(ClickLabel* zone) : QAccessibleWidget(zone, QAccessible::Button) {}

    // A zone never takes the keyboard focus, so pressing is its only action.
    QStringList actionNames() const override { return {pressAction()}; }

    void doAction(const QString& actionName) override
    {
        // Pressed from a screen reader, a zone does what a click does.
        if (actionName == pressAction())
            emit static_cast<ClickLabel*>(widget())->clicked();
    }
};

class CaptionAccessible : public QAccessibleWidget {
public:
    explicit CaptionAccessible(ClickLabel* caption) : QAccessibleWidget(caption, QAccessible::StaticText) {}

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Name && widget()->accessibleName().isEmpty())
            return static_cast<const ClickLabel*>(widget())->text();
        return QAccessibleWidget::text(t);
    }
};

QAccessibleInterface* ClickLabelAccessible(const QString& className, QObject* object)
{
    if (className != QLatin1String(ClickLabel::staticMetaObject.className()))
        return nullptr;
    auto* label = qobject_cast<ClickLabel*>(object);
    if (label == nullptr)
        return nullptr;
    if (IsZone(label))
        return new ZoneAccessible(label);
    return new CaptionAccessible(label);
}

}  // namespace

void InstallAccessibility()
{
    static const bool installed = [] {
        QAccessible::installFactory(&ClickLabelAccessible);
        return true;
    }();
    Q_UNUSED(installed);
}

}  // namespace vellumino
