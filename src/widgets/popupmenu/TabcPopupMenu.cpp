#include "TabcPopupMenu.h"

#include "TabcMenuItem.h"
#include "TabcPopupMenuForm.h"

#include <QApplication>
#include <QFontMetrics>

namespace {
TabcPopupMenu *s_openMenu = nullptr;
}

TabcPopupMenu::TabcPopupMenu(QWidget *owner)
    : QObject(owner)
    , m_owner(owner)
{
    m_options.Colors = TabcMenuColors::fromPalette(QApplication::palette());
    applyFont(owner ? owner->font() : QApplication::font());
    m_form = new TabcPopupMenuForm(this, owner);
}

TabcPopupMenu::~TabcPopupMenu()
{
    if (s_openMenu == this)
        s_openMenu = nullptr;
    delete m_form.data();
}

void TabcPopupMenu::setImages(const QList<QIcon> &images, QSize imageSize)
{
    m_images = images;
    m_imageSize = imageSize;
    if (m_form)
        m_form->update();
}

void TabcPopupMenu::setFont(const QFont &font)
{
    m_parentFont = false;
    applyFont(font);
}

void TabcPopupMenu::setParentFont(bool parentFont)
{
    m_parentFont = parentFont;
    if (parentFont && m_owner)
        applyFont(m_owner->font());
}

void TabcPopupMenu::setOldDisabledStyle(bool on)
{
    m_oldDisabledStyle = on;
    if (m_form)
        m_form->update();
}

// An item must never be lower than the font's text with a little room.
void TabcPopupMenu::applyFont(const QFont &font)
{
    m_font = font;
    const int minimum = QFontMetrics(font).height() + 6;
    if (m_options.ItemHeight < minimum)
        m_options.ItemHeight = minimum;
}

TabcMenuItem *TabcPopupMenu::addItem(const QString &caption, int imageIndex)
{
    auto *item = new TabcMenuItem(this, caption, imageIndex);
    m_items.append(item);
    connect(item, &QObject::destroyed, this, [this, item] { m_items.removeAll(item); });
    connect(item, &TabcMenuItem::changed, m_form, qOverload<>(&QWidget::update));
    return item;
}

void TabcPopupMenu::Popup(int x, int y)
{
    popup(QPoint(x, y));
}

void TabcPopupMenu::popup(QPoint globalPos)
{
    if (s_openMenu && s_openMenu != this)
        s_openMenu->closeMenu();
    closeMenu();
    if (m_parentFont && m_owner)
        applyFont(m_owner->font());
    const QPointer<TabcPopupMenu> alive(this);
    emit OnPopup();
    if (!alive || !m_form)
        return;
    if (m_owner && m_owner->window()->isVisible())
        m_owner->window()->raise();
    s_openMenu = this;
    m_form->openAt(globalPos);
}

// Every close is immediate: the program's close animations are amnNone and amnToolbar, which do not animate.
void TabcPopupMenu::closeMenu()
{
    if (m_form && m_form->isVisible())
        m_form->close();
}

TabcPopupMenuForm *TabcPopupMenu::form() const
{
    return m_form;
}

bool TabcPopupMenu::isOpen() const
{
    return m_form && m_form->isVisible();
}

TabcPopupMenu *TabcPopupMenu::openMenu()
{
    return s_openMenu;
}

void TabcPopupMenu::formHidden()
{
    if (s_openMenu == this)
        s_openMenu = nullptr;
    emit closed();
}
