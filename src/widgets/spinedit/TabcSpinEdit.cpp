#include "spinedit/TabcSpinEdit.h"

#include "Beep.h"
#include "spinedit/TabcSpinButton.h"
#include "spinedit/TabcSpinEditAccessible.h"

#include <QAccessible>
#include <QApplication>
#include <QContextMenuEvent>
#include <QLocale>
#include <QMenu>
#include <QStyleOptionFrame>

#include <algorithm>
#include <limits>
#include <optional>

namespace {
// The system's thin border line, counted four times in the minimum height.
constexpr int BorderHeight = 1;
constexpr int ButtonWidth = 15;
constexpr int ButtonHeight = 17;

// A decimal integer with an optional sign, nothing else (no spaces, no
// separators, nothing beyond 32 bits).
std::optional<int> parseWholeNumber(const QString &text)
{
    qsizetype i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) {
        negative = text[i] == u'-';
        ++i;
    }
    if (i == text.size())
        return std::nullopt;
    qint64 magnitude = 0;
    for (; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (c < u'0' || c > u'9')
            return std::nullopt;
        magnitude = magnitude * 10 + (c - u'0');
        if (magnitude > qint64(std::numeric_limits<int>::max()) + 1)
            return std::nullopt;
    }
    const qint64 value = negative ? -magnitude : magnitude;
    if (value > std::numeric_limits<int>::max())
        return std::nullopt;
    return int(value);
}

// The lower limit is tested first, so limits given the wrong way round still give an answer:
// the lower one for values below it, the upper one for all others.
qint64 limitTo(qint64 value, qint64 low, qint64 high)
{
    if (value < low)
        return low;
    if (value > high)
        return high;
    return value;
}

bool isEnterKey(int key)
{
    return key == Qt::Key_Return || key == Qt::Key_Enter;
}

QAccessibleInterface *spinEditAccessibleFactory(const QString &className, QObject *object)
{
    if (className == QLatin1String("TabcSpinEdit") && object && object->isWidgetType())
        return new TabcSpinEditAccessible(static_cast<TabcSpinEdit *>(object));
    return nullptr;
}
} // namespace

TabcSpinEdit::TabcSpinEdit(QWidget *parent)
    : QLineEdit(parent)
    , m_decimalSeparator(QLocale::system().decimalPoint())
    , m_button(new TabcSpinButton(this))
{
    static const bool factoryInstalled = [] {
        QAccessible::installFactory(spinEditAccessibleFactory);
        return true;
    }();
    Q_UNUSED(factoryInstalled);

    m_button->setObjectName(QStringLiteral("spinButton"));
    m_button->resize(ButtonWidth, ButtonHeight);
    m_button->setFocusControl(this);
    connect(m_button, &TabcSpinButton::OnUpClick, this, &TabcSpinEdit::UpClick);
    connect(m_button, &TabcSpinButton::OnDownClick, this, &TabcSpinEdit::DownClick);
    connect(this, &QLineEdit::textChanged, this, [this] {
        if (QAccessible::isActive()) {
            QAccessibleValueChangeEvent event(this, Value());
            QAccessible::updateAccessibility(&event);
        }
    });

    setText(QStringLiteral("0"));
    updateMinimumHeight();
    resize(121, GetMinHeight());
    placeSpinButton();
}

int TabcSpinEdit::Value() const
{
    return parseWholeNumber(text()).value_or(m_minValue);
}

void TabcSpinEdit::setValue(int value)
{
    setText(QString::number(CheckValue(value)));
}

void TabcSpinEdit::setMinValue(int value)
{
    m_minValue = value;
}

void TabcSpinEdit::setMaxValue(int value)
{
    m_maxValue = value;
}

void TabcSpinEdit::setIncrement(int increment)
{
    m_increment = increment;
}

void TabcSpinEdit::setEditorEnabled(bool enabled)
{
    m_editorEnabled = enabled;
}

void TabcSpinEdit::setReadOnly(bool readOnly)
{
    QLineEdit::setReadOnly(readOnly);
}

void TabcSpinEdit::setAutoSelect(bool autoSelect)
{
    m_autoSelect = autoSelect;
}

void TabcSpinEdit::setAutoSize(bool autoSize)
{
    m_autoSize = autoSize;
    if (m_autoSize)
        resize(width(), GetMinHeight());
}

void TabcSpinEdit::setDecimalSeparator(const QString &separator)
{
    m_decimalSeparator = separator;
}

int TabcSpinEdit::CheckValue(int value) const
{
    if (m_minValue == m_maxValue)
        return value;
    return int(limitTo(value, m_minValue, m_maxValue));
}

void TabcSpinEdit::UpClick()
{
    if (ReadOnly())
        Beep::beep();
    else
        stepBy(m_increment);
}

void TabcSpinEdit::DownClick()
{
    if (ReadOnly())
        Beep::beep();
    else
        stepBy(-qint64(m_increment));
}

void TabcSpinEdit::stepBy(qint64 delta)
{
    // Sum in 64 bits and bring into range once: with limits as writing Value does, without them
    // a step past the 32-bit range stops at its end.
    qint64 next = qint64(Value()) + delta;
    if (m_minValue != m_maxValue)
        next = limitTo(next, m_minValue, m_maxValue);
    else
        next = std::clamp<qint64>(next, std::numeric_limits<int>::min(), std::numeric_limits<int>::max());
    setText(QString::number(next));
}

bool TabcSpinEdit::IsValidChar(QChar c) const
{
    const char16_t code = c.unicode();
    bool valid = c == u'+' || c == u'-' || (code >= u'0' && code <= u'9')
                 || (m_decimalSeparator.size() == 1 && c == m_decimalSeparator.front())
                 || (code < 32 && code != 13);
    if (valid && !m_editorEnabled && (code >= 32 || code == 8))
        valid = false;
    return valid;
}

int TabcSpinEdit::GetMinHeight() const
{
    const int fontHeight = QFontMetrics(font()).height();
    const int systemHeight = QFontMetrics(QApplication::font()).height();
    return fontHeight + std::min(systemHeight, fontHeight) / 4 + 4 * BorderHeight + 2;
}

void TabcSpinEdit::ClampValue()
{
    const auto value = parseWholeNumber(text());
    if (value && CheckValue(*value) != *value)
        setValue(*value);
}

QSize TabcSpinEdit::sizeHint() const
{
    return {QLineEdit::sizeHint().width(), GetMinHeight()};
}

QSize TabcSpinEdit::minimumSizeHint() const
{
    return {QLineEdit::minimumSizeHint().width(), GetMinHeight()};
}

bool TabcSpinEdit::canPasteOrCut() const
{
    return m_editorEnabled && !ReadOnly();
}

void TabcSpinEdit::paste()
{
    if (canPasteOrCut())
        QLineEdit::paste();
}

void TabcSpinEdit::cut()
{
    if (canPasteOrCut())
        QLineEdit::cut();
}

bool TabcSpinEdit::refusedEdit(const QKeyEvent *event) const
{
    // Editing keys that type no character still change the text.
    static const QKeySequence::StandardKey editingKeys[] = {
        QKeySequence::Undo, QKeySequence::Redo, QKeySequence::DeleteEndOfLine,
        QKeySequence::DeleteStartOfWord, QKeySequence::DeleteEndOfWord, QKeySequence::DeleteCompleteLine,
    };
    return std::any_of(std::begin(editingKeys), std::end(editingKeys),
                       [event](QKeySequence::StandardKey key) { return event->matches(key); });
}

void TabcSpinEdit::keyPressEvent(QKeyEvent *event)
{
    const int key = event->key();
    if (!event->isAutoRepeat())
        m_pressedKeys.insert(key);
    if (key == Qt::Key_Up || key == Qt::Key_Down) {
        if (key == Qt::Key_Up)
            UpClick();
        else
            DownClick();
        QLineEdit::keyPressEvent(event);
        event->accept();
        return;
    }
    // Accepting Enter keeps a dialog from taking it for its default button.
    if (isEnterKey(key)) {
        Beep::beep();
        event->accept();
        return;
    }
    if (event->matches(QKeySequence::Paste) || event->matches(QKeySequence::Cut)) {
        if (canPasteOrCut())
            QLineEdit::keyPressEvent(event);
        else
            event->accept();
        return;
    }
    if (!m_editorEnabled && !ReadOnly()) {
        if (key == Qt::Key_Delete) {
            Beep::beep();
            event->accept();
            return;
        }
        if (refusedEdit(event)) {
            event->accept();
            return;
        }
    }
    // Delete types no character (its text may read DEL).
    if (key != Qt::Key_Delete) {
        const QString typed = event->text();
        for (const QChar c : typed) {
            if (!IsValidChar(c)) {
                Beep::beep();
                event->accept();
                return;
            }
        }
    }
    QLineEdit::keyPressEvent(event);
}

void TabcSpinEdit::keyReleaseEvent(QKeyEvent *event)
{
    // The release of a key pressed elsewhere (Enter or Esc that chose or closed our own context
    // menu, a key held while the focus came here) is not the field's.
    if (!event->isAutoRepeat() && m_pressedKeys.remove(event->key()))
        emit KeyUp(event->key(), event->modifiers());
    QLineEdit::keyReleaseEvent(event);
}

void TabcSpinEdit::inputMethodEvent(QInputMethodEvent *event)
{
    const QString commit = event->commitString();
    if (std::all_of(commit.begin(), commit.end(), [this](QChar c) { return IsValidChar(c); })) {
        QLineEdit::inputMethodEvent(event);
        return;
    }
    Beep::beep();
    QInputMethodEvent withoutCommit(event->preeditString(), event->attributes());
    QLineEdit::inputMethodEvent(&withoutCommit);
}

void TabcSpinEdit::focusInEvent(QFocusEvent *event)
{
    QLineEdit::focusInEvent(event);
    if (event->reason() == Qt::PopupFocusReason)
        return; // back from our own context menu
    // A click places the caret where the user pointed; any other way in selects all.
    if (m_autoSelect) {
        if (!(QGuiApplication::mouseButtons() & Qt::LeftButton))
            selectAll();
    } else if (event->reason() == Qt::TabFocusReason || event->reason() == Qt::BacktabFocusReason
               || event->reason() == Qt::ShortcutFocusReason) {
        deselect(); // QLineEdit selects all on these
    }
}

void TabcSpinEdit::focusOutEvent(QFocusEvent *event)
{
    m_pressedKeys.clear(); // their releases go to whoever has the focus now
    // A popup menu or another window only borrows the focus.
    if (event->reason() != Qt::PopupFocusReason && event->reason() != Qt::ActiveWindowFocusReason)
        ClampValue();
    QLineEdit::focusOutEvent(event);
}

void TabcSpinEdit::resizeEvent(QResizeEvent *event)
{
    QLineEdit::resizeEvent(event);
    placeSpinButton();
}

void TabcSpinEdit::changeEvent(QEvent *event)
{
    QLineEdit::changeEvent(event);
    switch (event->type()) {
    case QEvent::FontChange:
        updateMinimumHeight();
        if (m_autoSize)
            resize(width(), GetMinHeight());
        break;
    case QEvent::StyleChange:
        placeSpinButton();
        break;
    default:
        break;
    }
}

void TabcSpinEdit::updateMinimumHeight()
{
    // Qt then refuses any smaller height, as the field must.
    setMinimumHeight(GetMinHeight());
}

void TabcSpinEdit::placeSpinButton()
{
    // The buttons sit at the right of the client area, inside the frame.
    const int buttonWidth = m_button->width();
    QStyleOptionFrame option;
    initStyleOption(&option);
    if (hasFrame()) {
        const int frame = option.lineWidth;
        m_button->setGeometry(frame + width() - buttonWidth - 5, frame, buttonWidth, std::max(0, height() - 5));
    } else {
        m_button->setGeometry(width() - buttonWidth, 1, buttonWidth, std::max(0, height() - 3));
    }
    // The text area ends one pixel before the buttons, so text never runs under them.
    const QRect contents = style()->subElementRect(QStyle::SE_LineEditContents, &option, this);
    const int rightMargin = std::max(0, contents.right() + 2 - m_button->x());
    const QMargins margins = textMargins();
    if (margins.right() != rightMargin)
        setTextMargins(margins.left(), margins.top(), rightMargin, margins.bottom());
}

void TabcSpinEdit::contextMenuEvent(QContextMenuEvent *event)
{
    QMenu *menu = nullptr;
    if (!m_editorEnabled && !ReadOnly()) {
        // The read-only menu offers only what cannot change the text.
        QLineEdit::setReadOnly(true);
        menu = createStandardContextMenu();
        QLineEdit::setReadOnly(false);
    } else {
        menu = createStandardContextMenu();
    }
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(event->globalPos());
}

void TabcSpinEdit::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::MiddleButton && !canPasteOrCut()) {
        event->accept(); // no pasting of the selection either
        return;
    }
    QLineEdit::mouseReleaseEvent(event);
}

void TabcSpinEdit::dragEnterEvent(QDragEnterEvent *event)
{
    if (canPasteOrCut())
        QLineEdit::dragEnterEvent(event);
    else
        event->ignore();
}

void TabcSpinEdit::dragMoveEvent(QDragMoveEvent *event)
{
    if (canPasteOrCut())
        QLineEdit::dragMoveEvent(event);
    else
        event->ignore();
}

void TabcSpinEdit::dropEvent(QDropEvent *event)
{
    if (canPasteOrCut())
        QLineEdit::dropEvent(event);
    else
        event->ignore();
}
