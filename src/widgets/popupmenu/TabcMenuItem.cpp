#include "TabcMenuItem.h"

#include "TabcPopupMenu.h"

TabcMenuItem::TabcMenuItem(TabcPopupMenu *menu, const QString &caption, int imageIndex)
    : QObject(menu)
    , m_caption(caption)
    , m_imageIndex(imageIndex)
{
}

TabcPopupMenu *TabcMenuItem::menu() const
{
    return qobject_cast<TabcPopupMenu *>(parent());
}

void TabcMenuItem::setCaption(const QString &caption)
{
    if (caption == m_caption)
        return;
    m_caption = caption;
    emit changed();
}

void TabcMenuItem::setImageIndex(int index)
{
    if (index == m_imageIndex)
        return;
    m_imageIndex = index;
    emit changed();
}

void TabcMenuItem::setEnabled(bool enabled)
{
    if (enabled == m_enabled)
        return;
    m_enabled = enabled;
    emit changed();
}

void TabcMenuItem::setDefault(bool isDefault)
{
    if (isDefault == m_default)
        return;
    m_default = isDefault;
    emit changed();
}

void TabcMenuItem::setChecked(bool checked)
{
    if (checked == m_checked)
        return;
    m_checked = checked;
    emit changed();
}

void TabcMenuItem::setShortCut(const QKeySequence &shortCut)
{
    if (shortCut == m_shortCut)
        return;
    m_shortCut = shortCut;
    emit changed();
}

bool TabcMenuItem::isSeparator() const
{
    return m_caption == QLatin1String("-");
}
