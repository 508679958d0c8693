#pragma once

#include <QLabel>
#include <QPointer>

// A caption that belongs to another control: it lives on that control's
// parent, moves by the control's offsets, is enabled and visible exactly when
// the control is, and hands the focus to it when clicked.
class TabcSubLabel : public QLabel
{
    Q_OBJECT
public:
    explicit TabcSubLabel(QWidget *parent = nullptr);

    [[nodiscard]] QWidget *AttachedTo() const { return m_attachedTo; }
    // Moves the label onto the control's parent and takes over its states.
    void setAttachedTo(QWidget *control);
    void AttachedMove(int dx, int dy);
    // Applies the control's moves since the last call; the control's owner
    // calls it for moves Qt does not report (those of a hidden control).
    void followAttached();

    // When on, moving the label moves the control instead (the label follows).
    [[nodiscard]] bool Locked() const { return m_locked; }
    void setLocked(bool locked);
    // When on, the label sizes itself to its text and font.
    [[nodiscard]] bool AutoSize() const { return m_autoSize; }
    void setAutoSize(bool autoSize);

    // These hide QLabel's/QWidget's to keep the rules above.
    void setText(const QString &text);
    void move(int x, int y);
    void move(const QPoint &position);
    void setVisible(bool visible) override;

signals:
    void clicked();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    bool event(QEvent *event) override;
    void changeEvent(QEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    void matchAttachedStates();
    void followAttachedParent();

    QPointer<QWidget> m_attachedTo;
    QPoint m_attachedLastPos;
    bool m_locked = false;
    bool m_autoSize = true;
    bool m_reparenting = false;
};
