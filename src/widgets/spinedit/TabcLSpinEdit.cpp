#include "spinedit/TabcLSpinEdit.h"

#include "spinedit/TabcSubLabel.h"

using namespace Qt::StringLiterals;

TabcLSpinEdit::TabcLSpinEdit(QWidget *parent)
    : TabcSpinEdit(parent)
    , m_subLabel(new TabcSubLabel(parent))
{
    // A new field's caption starts 100 pixels to its left, 2 pixels lower.
    m_subLabel->move(pos() + QPoint(-100, 2));
    m_subLabel->setAttachedTo(this);
    m_subLabel->setObjectName(objectName() + u"SubLabel"_s);
    connect(this, &QObject::objectNameChanged, m_subLabel,
            [label = m_subLabel](const QString &name) { label->setObjectName(name + u"SubLabel"_s); });
}

TabcLSpinEdit::~TabcLSpinEdit()
{
    delete m_subLabel;
}

void TabcLSpinEdit::move(int x, int y)
{
    move(QPoint(x, y));
}

void TabcLSpinEdit::move(const QPoint &position)
{
    TabcSpinEdit::move(position);
    if (m_subLabel)
        m_subLabel->followAttached();
}

void TabcLSpinEdit::setGeometry(int x, int y, int w, int h)
{
    setGeometry(QRect(x, y, w, h));
}

void TabcLSpinEdit::setGeometry(const QRect &rect)
{
    TabcSpinEdit::setGeometry(rect);
    if (m_subLabel)
        m_subLabel->followAttached();
}
