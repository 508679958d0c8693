#pragma once

#include <QLineEdit>
#include <QSet>

class TabcSpinButton;

// A single-line field for a whole number with a pair of step buttons at its
// right edge. The value lives in the text only: reading it never fails (an
// unparsable text reads as MinValue) and out-of-range numbers are brought into
// range when written, or when the field loses the focus (ClampValue).
class TabcSpinEdit : public QLineEdit
{
    Q_OBJECT
public:
    explicit TabcSpinEdit(QWidget *parent = nullptr);

    [[nodiscard]] int Value() const;
    void setValue(int value);

    [[nodiscard]] int MinValue() const { return m_minValue; }
    void setMinValue(int value);
    [[nodiscard]] int MaxValue() const { return m_maxValue; }
    void setMaxValue(int value);
    [[nodiscard]] int Increment() const { return m_increment; }
    void setIncrement(int increment);

    // When false, only the buttons and arrow keys change the value.
    [[nodiscard]] bool EditorEnabled() const { return m_editorEnabled; }
    void setEditorEnabled(bool enabled);
    // The line edit's own read-only state; steps are refused with a beep too.
    [[nodiscard]] bool ReadOnly() const { return isReadOnly(); }
    void setReadOnly(bool readOnly);
    [[nodiscard]] bool AutoSelect() const { return m_autoSelect; }
    void setAutoSelect(bool autoSelect);
    // When on, the height follows the font (GetMinHeight).
    [[nodiscard]] bool AutoSize() const { return m_autoSize; }
    void setAutoSize(bool autoSize);

    // Defaults to the user's locale; tests pin it.
    [[nodiscard]] QString DecimalSeparator() const { return m_decimalSeparator; }
    void setDecimalSeparator(const QString &separator);

    void UpClick();
    void DownClick();
    // MinValue == MaxValue means no limits at all; below MinValue gives MinValue,
    // above MaxValue gives MaxValue, in that order.
    [[nodiscard]] int CheckValue(int value) const;
    [[nodiscard]] bool IsValidChar(QChar c) const;
    [[nodiscard]] int GetMinHeight() const;
    // What losing the focus does: an out-of-range number becomes the nearest
    // limit; an unparsable text is left alone.
    void ClampValue();

    [[nodiscard]] TabcSpinButton *spinButton() const { return m_button; }

    [[nodiscard]] QSize sizeHint() const override;
    [[nodiscard]] QSize minimumSizeHint() const override;

public slots:
    // Hide QLineEdit's: nothing is pasted or cut unless the field is editable.
    void paste();
    void cut();

signals:
    // The real release (not an auto-repeat) of a key whose press the field
    // received, so a dialog can act on Enter and Esc after the field has
    // refused the press.
    void KeyUp(int key, Qt::KeyboardModifiers modifiers);

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void keyReleaseEvent(QKeyEvent *event) override;
    void inputMethodEvent(QInputMethodEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void changeEvent(QEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dragMoveEvent(QDragMoveEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    [[nodiscard]] bool canPasteOrCut() const;
    [[nodiscard]] bool refusedEdit(const QKeyEvent *event) const;
    void stepBy(qint64 delta);
    void updateMinimumHeight();
    void placeSpinButton();

    int m_minValue = 0;
    int m_maxValue = 0;
    int m_increment = 1;
    bool m_editorEnabled = true;
    bool m_autoSelect = true;
    bool m_autoSize = true;
    QString m_decimalSeparator;
    QSet<int> m_pressedKeys; // pressed while the field had the focus, not yet released
    TabcSpinButton *m_button;
};
