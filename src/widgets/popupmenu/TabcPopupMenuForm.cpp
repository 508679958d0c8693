#include "TabcPopupMenuForm.h"

#include "Beep.h"
#include "MenuCaption.h"
#include "PopupGeometry.h"
#include "PopupMenuAccessible.h"
#include "TabcMenuItem.h"
#include "TabcPopupMenu.h"

#include <QAccessible>
#include <QApplication>
#include <QCursor>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPointer>
#include <QScreen>

#include <algorithm>

namespace {
constexpr int kFrame = 2;       // the raised 3D edge
constexpr int kExtraWidth = 10; // room beside the margins for the edge and the image column
constexpr int kMinimumSide = 12;
constexpr int kShortCutGap = 16;
} // namespace

TabcPopupMenuForm::TabcPopupMenuForm(TabcPopupMenu *menu, QWidget *parent)
    : QWidget(parent, Qt::Popup | Qt::FramelessWindowHint | Qt::NoDropShadowWindowHint)
    , m_menu(menu)
{
    installPopupMenuAccessibility();
    setAttribute(Qt::WA_OpaquePaintEvent);
    // What the slide has not uncovered yet is left undrawn: see-through where the platform composes
    // windows, cut away by the window's mask elsewhere.
    setAttribute(Qt::WA_TranslucentBackground);
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    m_slideTimer.setSingleShot(true);
    m_slideTimer.setTimerType(Qt::PreciseTimer);
    connect(&m_slideTimer, &QTimer::timeout, this, &TabcPopupMenuForm::nextStep);
}

int TabcPopupMenuForm::itemContentWidth(const TabcMenuItem *item) const
{
    if (item->isSeparator())
        return 0;
    QFont font = m_menu->font();
    font.setBold(item->isDefault());
    int width = QFontMetrics(font).horizontalAdvance(MenuCaption::plainText(item->caption()));
    if (!item->shortCut().isEmpty())
        width += kShortCutGap
            + QFontMetrics(m_menu->font()).horizontalAdvance(item->shortCut().toString(QKeySequence::NativeText));
    return width;
}

void TabcPopupMenuForm::relayout()
{
    const TabcMenuOptions &o = m_menu->Options();
    const auto &items = m_menu->items();
    int widest = 0;
    int y = o.Margins.Top + kFrame;
    m_itemRects.clear();
    for (qsizetype i = 0; i < items.size(); ++i) {
        if (i > 0)
            y += o.Margins.ItemSpace;
        const int h = items[i]->isSeparator() ? o.SeparatorHeight : o.ItemHeight;
        m_itemRects.append(QRect(0, y, 0, h));
        y += h;
        widest = std::max(widest, itemContentWidth(items[i]));
    }
    const int width = std::max(kMinimumSide, widest + o.Margins.Left + o.Margins.Right + kExtraWidth);
    const int height = std::max(kMinimumSide, y + o.Margins.Bottom + kFrame);
    for (QRect &r : m_itemRects)
        r.setWidth(width);
    m_fullSize = QSize(width, height);
}

QRect TabcPopupMenuForm::itemRect(int index) const
{
    return index >= 0 && index < m_itemRects.size() ? m_itemRects.at(index) : QRect();
}

int TabcPopupMenuForm::itemAt(QPoint pos) const
{
    if (!revealedRect().contains(pos))
        return -1;
    for (qsizetype i = 0; i < m_itemRects.size(); ++i)
        if (m_itemRects[i].contains(pos))
            return int(i);
    return -1;
}

void TabcPopupMenuForm::setHighlightedIndex(int index)
{
    if (index < 0 || index >= m_itemRects.size())
        index = -1;
    if (index == m_highlighted)
        return;
    m_highlighted = index;
    update();
    emit highlightChanged(index);
    if (index >= 0 && isVisible() && QAccessible::isActive()) {
        QAccessibleEvent event(m_menu->items().at(index), QAccessible::Focus);
        QAccessible::updateAccessibility(&event);
    }
}

// Opening upwards uncovers the menu from its bottom edge.
QRect TabcPopupMenuForm::revealedRect() const
{
    const int shown = std::min(m_revealed, m_fullSize.height());
    return QRect(0, m_slideUpwards ? m_fullSize.height() - shown : 0, m_fullSize.width(), shown);
}

void TabcPopupMenuForm::openAt(QPoint globalPos)
{
    relayout();
    QScreen *screen = QGuiApplication::screenAt(globalPos);
    if (!screen && parentWidget())
        screen = parentWidget()->screen();
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    QRect area = screen->availableGeometry();
    // A Wayland client is not told where its windows are, so the screen's edges are not known
    // from here; its own window is the one place known to be on the screen. The compositor may
    // still move the menu further, by the full size it is shown at.
    if (QGuiApplication::platformName().startsWith(u"wayland") && parentWidget())
        area = area.intersected(parentWidget()->window()->geometry());
    const PopupPlacement placement = placePopup(m_fullSize, globalPos, area);
    m_finalGeometry = placement.geometry;
    m_placedUpwards = placement.upwards;
    m_highlighted = -1;
    m_openCursor = QCursor::pos();
    m_armed = false;

    const TabcMenuAnimation animation = m_menu->Options().OpenAnimation;
    m_slideUpwards = false;
    m_steps.clear();
    if (animation == amnSmartt || animation == amnVSlide || animation == amnVSlideUp) {
        m_slideUpwards = animation == amnVSlideUp || (animation == amnSmartt && placement.upwards);
        m_steps = slideSteps(m_fullSize.height(), m_menu->Options().DoubleSpeed);
    }
    m_stepIndex = 0;
    showStep(m_steps.isEmpty() ? m_fullSize.height() : m_steps.first());
}

// Each step is drawn at once and held until Timeout has passed since it was drawn, so that a slow
// drawing of one step never shortens the next. The window has its final size from the start: a
// compositor places a pop-up by the size it is first shown at.
void TabcPopupMenuForm::showStep(int height)
{
    m_revealed = height;
    setGeometry(m_finalGeometry);
    if (height < m_fullSize.height())
        setMask(revealedRect());
    else
        clearMask();
    if (!isVisible())
        show();
    repaint();
    m_stepClock.start();
    emit slideStep(height);
    if (height < m_fullSize.height()) {
        const qint64 left = m_menu->Options().Timeout - m_stepClock.elapsed();
        m_slideTimer.start(int(std::max<qint64>(0, left)));
    }
}

void TabcPopupMenuForm::nextStep()
{
    ++m_stepIndex;
    showStep(m_stepIndex < m_steps.size() ? m_steps.at(m_stepIndex) : m_fullSize.height());
}

void TabcPopupMenuForm::hideEvent(QHideEvent *event)
{
    m_slideTimer.stop();
    m_highlighted = -1;
    QWidget::hideEvent(event);
    if (event->spontaneous())
        return;
    m_menu->formHidden();
}

void TabcPopupMenuForm::chooseItem(int index)
{
    const auto &items = m_menu->items();
    if (index < 0 || index >= items.size())
        return;
    const QPointer<TabcMenuItem> item = items.at(index);
    if (item->isSeparator() || !item->isEnabled())
        return;
    m_menu->closeMenu();
    if (item)
        emit item->Click();
}

void TabcPopupMenuForm::mouseMoveEvent(QMouseEvent *event)
{
    // A pointer shakes: only a move of at least the drag distance is a deliberate one.
    if ((event->globalPosition().toPoint() - m_openCursor).manhattanLength() >= QApplication::startDragDistance())
        m_armed = true;
    const int index = itemAt(event->position().toPoint());
    setHighlightedIndex(index >= 0 && m_menu->items().at(index)->isSeparator() ? -1 : index);
}

void TabcPopupMenuForm::leaveEvent(QEvent *event)
{
    setHighlightedIndex(-1);
    QWidget::leaveEvent(event);
}

void TabcPopupMenuForm::mousePressEvent(QMouseEvent *event)
{
    if (rect().contains(event->position().toPoint()))
        m_armed = true;
    QWidget::mousePressEvent(event); // a press outside closes the popup
}

void TabcPopupMenuForm::mouseReleaseEvent(QMouseEvent *event)
{
    if (!m_armed)
        return;
    chooseItem(itemAt(event->position().toPoint()));
}

void TabcPopupMenuForm::moveHighlight(int direction)
{
    const auto &items = m_menu->items();
    const int n = int(items.size());
    int i = m_highlighted >= 0 ? m_highlighted : (direction > 0 ? -1 : n);
    for (int tries = 0; tries < n; ++tries) {
        i = ((i + direction) % n + n) % n;
        if (!items.at(i)->isSeparator()) {
            setHighlightedIndex(i);
            return;
        }
    }
}

void TabcPopupMenuForm::chooseByAccelerator(QChar letter)
{
    const auto &items = m_menu->items();
    const QChar wanted = letter.toUpper();
    for (qsizetype i = 0; i < items.size(); ++i) {
        if (items[i]->isSeparator() || MenuCaption::accelerator(items[i]->caption()).toUpper() != wanted)
            continue;
        if (items[i]->isEnabled()) {
            chooseItem(int(i));
        } else {
            setHighlightedIndex(int(i));
        }
        return;
    }
    Beep::beep();
}

void TabcPopupMenuForm::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Up:
        moveHighlight(-1);
        return;
    case Qt::Key_Down:
        moveHighlight(1);
        return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        chooseItem(m_highlighted);
        return;
    case Qt::Key_Escape:
        m_menu->closeMenu();
        return;
    default:
        break;
    }
    const QString text = event->text();
    if (!text.isEmpty() && text.at(0).isPrint() && !(event->modifiers() & Qt::ControlModifier)) {
        chooseByAccelerator(text.at(0));
        return;
    }
    event->ignore();
}
