#pragma once

#include <QPointer>
#include <QWidget>

class TabcTimerSpeedButton;

// Two stacked auto-repeating buttons. A press hands the keyboard focus to
// FocusControl (the field the buttons serve); when the pair itself has the
// focus, Space clicks the focused button and Up/Down pick and click one.
class TabcSpinButton : public QWidget
{
    Q_OBJECT
public:
    static constexpr int MinWidth = 15;

    explicit TabcSpinButton(QWidget *parent = nullptr);

    [[nodiscard]] TabcTimerSpeedButton *UpButton() const { return m_upButton; }
    [[nodiscard]] TabcTimerSpeedButton *DownButton() const { return m_downButton; }

    [[nodiscard]] TabcTimerSpeedButton *FocusedButton() const { return m_focusedButton; }
    void setFocusedButton(TabcTimerSpeedButton *button);

    [[nodiscard]] QWidget *FocusControl() const { return m_focusControl; }
    void setFocusControl(QWidget *control);

    // A null pixmap restores the drawn triangle.
    [[nodiscard]] QPixmap UpGlyph() const;
    void setUpGlyph(const QPixmap &glyph);
    [[nodiscard]] QPixmap DownGlyph() const;
    void setDownGlyph(const QPixmap &glyph);

    [[nodiscard]] QSize sizeHint() const override;

signals:
    void OnUpClick();
    void OnDownClick();

protected:
    void resizeEvent(QResizeEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;

private:
    void buttonPressed(TabcTimerSpeedButton *button);
    void layoutButtons();
    void updateFocusRects();

    TabcTimerSpeedButton *m_upButton;
    TabcTimerSpeedButton *m_downButton;
    TabcTimerSpeedButton *m_focusedButton;
    QPointer<QWidget> m_focusControl;
};
