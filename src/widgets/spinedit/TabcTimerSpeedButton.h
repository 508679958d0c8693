#pragma once

#include <QAbstractButton>
#include <QPixmap>

class QTimer;

// A flat speed button that keeps clicking while it is held down: first after
// 400 ms, then every 100 ms, and once more on release over the button (the
// ordinary click). It never takes the focus itself; its owner tells it when
// to draw the focus rectangle.
class TabcTimerSpeedButton : public QAbstractButton
{
    Q_OBJECT
public:
    enum TimeBtnStateFlag {
        tbFocusRect = 0x1,  // draw a dotted focus rectangle
        tbAllowTimer = 0x2, // repeat the click while held
    };
    Q_DECLARE_FLAGS(TabcTimeBtnState, TimeBtnStateFlag)

    static constexpr int FirstRepeatDelay = 400;
    static constexpr int RepeatInterval = 100;

    explicit TabcTimerSpeedButton(QWidget *parent = nullptr);

    [[nodiscard]] TabcTimeBtnState TimeBtnState() const { return m_timeBtnState; }
    void setTimeBtnState(TabcTimeBtnState state);

    // The drawn triangle used when no glyph of the user's own is set.
    [[nodiscard]] Qt::ArrowType Arrow() const { return m_arrow; }
    void setArrow(Qt::ArrowType arrow);
    [[nodiscard]] QPixmap Glyph() const { return m_glyph; }
    void setGlyph(const QPixmap &glyph);

    // Null until the first press.
    [[nodiscard]] const QTimer *RepeatTimer() const { return m_repeatTimer; }

    [[nodiscard]] QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void changeEvent(QEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    void repeatTimerFired();
    void stopRepeat();
    void drawArrow(QPainter &painter, const QRect &area) const;

    TabcTimeBtnState m_timeBtnState;
    Qt::ArrowType m_arrow = Qt::UpArrow;
    QPixmap m_glyph;
    QTimer *m_repeatTimer = nullptr;
};

Q_DECLARE_OPERATORS_FOR_FLAGS(TabcTimerSpeedButton::TabcTimeBtnState)
