#include "PopupMenuAccessible.h"

#include "MenuCaption.h"
#include "TabcMenuItem.h"
#include "TabcPopupMenu.h"
#include "TabcPopupMenuForm.h"

#include <QAccessibleWidget>
#include <QPointer>

using namespace Qt::StringLiterals;

namespace {

class PopupMenuFormAccessible : public QAccessibleWidget
{
public:
    explicit PopupMenuFormAccessible(TabcPopupMenuForm *form)
        : QAccessibleWidget(form, QAccessible::PopupMenu)
    {
    }

    [[nodiscard]] TabcPopupMenuForm *form() const { return static_cast<TabcPopupMenuForm *>(object()); }

    int childCount() const override { return int(form()->menu()->items().size()); }

    QAccessibleInterface *child(int index) const override
    {
        const auto &items = form()->menu()->items();
        return index >= 0 && index < items.size() ? QAccessible::queryAccessibleInterface(items.at(index)) : nullptr;
    }

    int indexOfChild(const QAccessibleInterface *child) const override
    {
        return child ? int(form()->menu()->items().indexOf(qobject_cast<TabcMenuItem *>(child->object()))) : -1;
    }

    QAccessibleInterface *childAt(int x, int y) const override
    {
        return child(form()->itemAt(form()->mapFromGlobal(QPoint(x, y))));
    }

    QAccessibleInterface *focusChild() const override { return child(form()->highlightedIndex()); }
};

class MenuItemAccessible : public QAccessibleInterface, public QAccessibleActionInterface
{
public:
    explicit MenuItemAccessible(TabcMenuItem *item)
        : m_item(item)
    {
    }

    bool isValid() const override { return m_item && m_item->menu() && m_item->menu()->form(); }
    QObject *object() const override { return m_item; }
    QWindow *window() const override { return form()->windowHandle(); }

    QAccessibleInterface *parent() const override { return QAccessible::queryAccessibleInterface(form()); }
    QAccessibleInterface *child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface *) const override { return -1; }
    QAccessibleInterface *childAt(int, int) const override { return nullptr; }

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Name)
            return MenuCaption::plainText(m_item->caption());
        if (t == QAccessible::Accelerator) {
            const QChar letter = MenuCaption::accelerator(m_item->caption());
            return letter.isNull() ? QString() : QString(letter);
        }
        return {};
    }
    void setText(QAccessible::Text, const QString &) override {}

    QRect rect() const override
    {
        const QRect r = form()->itemRect(index());
        return r.isValid() && form()->isVisible() ? QRect(form()->mapToGlobal(r.topLeft()), r.size()) : QRect();
    }

    QAccessible::Role role() const override
    {
        return m_item->isSeparator() ? QAccessible::Separator : QAccessible::MenuItem;
    }

    QAccessible::State state() const override
    {
        QAccessible::State s;
        s.invisible = !form()->isVisible();
        s.disabled = !m_item->isEnabled();
        s.focusable = !m_item->isSeparator();
        s.selectable = !m_item->isSeparator();
        s.focused = s.selected = s.hotTracked = form()->highlightedIndex() == index();
        s.checkable = m_item->isChecked();
        s.checked = m_item->isChecked();
        s.defaultButton = m_item->isDefault();
        return s;
    }

    void *interface_cast(QAccessible::InterfaceType type) override
    {
        return type == QAccessible::ActionInterface ? static_cast<QAccessibleActionInterface *>(this) : nullptr;
    }

    QStringList actionNames() const override
    {
        return m_item->isSeparator() || !m_item->isEnabled() ? QStringList() : QStringList{pressAction()};
    }

    void doAction(const QString &name) override
    {
        if (name == pressAction())
            form()->chooseItem(index());
    }

    QStringList keyBindingsForAction(const QString &) const override { return {}; }

private:
    [[nodiscard]] TabcPopupMenuForm *form() const { return m_item->menu()->form(); }
    [[nodiscard]] int index() const { return int(m_item->menu()->items().indexOf(m_item.data())); }

    QPointer<TabcMenuItem> m_item;
};

QAccessibleInterface *popupMenuFactory(const QString &className, QObject *object)
{
    if (className == "TabcPopupMenuForm"_L1)
        if (auto *form = qobject_cast<TabcPopupMenuForm *>(object))
            return new PopupMenuFormAccessible(form);
    if (className == "TabcMenuItem"_L1)
        if (auto *item = qobject_cast<TabcMenuItem *>(object))
            return new MenuItemAccessible(item);
    return nullptr;
}

} // namespace

void installPopupMenuAccessibility()
{
    static const bool installed = [] {
        QAccessible::installFactory(popupMenuFactory);
        return true;
    }();
    Q_UNUSED(installed);
}
