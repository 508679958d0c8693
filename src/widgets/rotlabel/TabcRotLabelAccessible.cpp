#include "rotlabel/TabcRotLabelAccessible.h"

#include "rotlabel/TabcRotLabel.h"

using namespace Qt::StringLiterals;

namespace {
QAccessibleInterface *rotLabelFactory(const QString &className, QObject *object)
{
    if (className == "TabcRotLabel"_L1)
        if (auto *label = qobject_cast<TabcRotLabel *>(object))
            return new TabcRotLabelAccessible(label);
    return nullptr;
}
} // namespace

TabcRotLabelAccessible::TabcRotLabelAccessible(TabcRotLabel *label)
    : QAccessibleWidget(label, QAccessible::StaticText)
{
}

QString TabcRotLabelAccessible::text(QAccessible::Text t) const
{
    if (t == QAccessible::Name) {
        const QString own = widget()->accessibleName();
        return own.isEmpty() ? static_cast<const TabcRotLabel *>(widget())->caption() : own;
    }
    return QAccessibleWidget::text(t);
}

void TabcRotLabelAccessible::install()
{
    static const bool installed = [] {
        QAccessible::installFactory(rotLabelFactory);
        return true;
    }();
    Q_UNUSED(installed);
}
