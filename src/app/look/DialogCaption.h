#pragma once

#include <QWidget>

class QAbstractButton;

// A title bar of the program's own for a dialog of fixed size: the dialog's title and a close box,
// nothing else. Where the platform leaves title bars to the program (Wayland), Qt's own one offers
// minimise and maximise on every window; such a dialog goes without it and carries this strip
// above its client area, with a thin frame line around the whole.
class DialogCaption : public QWidget
{
    Q_OBJECT
public:
    // Adds the caption on a Wayland platform; elsewhere the window manager's frame follows the
    // dialog's hints and nothing changes. Called once the dialog's own widgets are in place.
    static void addWhereNeeded(QWidget *dialog);
    // Adds it whatever the platform: the dialog asks for no frame and grows by the strip and the
    // frame line, its own widgets keeping their sizes and their places relative to each other.
    static DialogCaption *add(QWidget *dialog);

    [[nodiscard]] QAbstractButton *closeButton() const { return m_close; }
    // Room added around the dialog's client area: the frame line on every side, the strip on top.
    [[nodiscard]] static QMargins margins();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void changeEvent(QEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;

private:
    explicit DialogCaption(QWidget *dialog);
    void place();
    void paintFrame();

    QWidget *m_dialog;
    QAbstractButton *m_close;
};
