#pragma once

#include "rotlabel/RotatedTextBox.h"
#include "rotlabel/TabcLabelStyles.h"

#include <QColor>
#include <QPointer>
#include <QString>
#include <QWidget>

// A label that draws its caption at any angle and sizes itself to the turned
// text. With RotateCenter a caption change keeps the label's centre, so numbers
// in a column stay centred under one another.
//
// Its font defaults to Arial 10 pt and never follows the parent's font. "&" is
// drawn as an ordinary character: there are no accelerators.
class TabcRotLabel : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(QString Caption READ caption WRITE setCaption)
    Q_PROPERTY(quint16 Angle READ angle WRITE setAngle)
    Q_PROPERTY(bool AutoSize READ autoSize WRITE setAutoSize)
    Q_PROPERTY(bool RotateCenter READ rotateCenter WRITE setRotateCenter)
    Q_PROPERTY(bool Transparent READ transparent WRITE setTransparent)
    Q_PROPERTY(QColor Color READ color WRITE setColor)

public:
    explicit TabcRotLabel(QWidget *parent = nullptr);

    [[nodiscard]] QString caption() const { return m_caption; }
    void setCaption(const QString &caption);

    // Degrees, counter-clockwise from horizontal.
    [[nodiscard]] quint16 angle() const { return m_angle; }
    void setAngle(quint16 angle);

    [[nodiscard]] bool autoSize() const { return m_autoSize; }
    void setAutoSize(bool on);

    [[nodiscard]] bool rotateCenter() const { return m_rotateCenter; }
    void setRotateCenter(bool on);

    [[nodiscard]] bool transparent() const { return m_transparent; }
    void setTransparent(bool on);

    // Background when not transparent; an invalid colour restores the
    // ordinary label's (palette Window).
    [[nodiscard]] QColor color() const;
    void setColor(const QColor &color);

    // The Font: attributes the given font leaves unset come from the label's
    // default (Arial 10 pt), never from the parent. Hides QWidget::setFont;
    // a font set through a QWidget pointer is still kept from the parent's
    // later changes.
    void setFont(const QFont &font);

    [[nodiscard]] TabcCaptionStyle captionStyle() const { return m_captionStyle; }
    void setCaptionStyle(const TabcCaptionStyle &style);

    [[nodiscard]] TabcBorderStyle borderStyle() const { return m_borderStyle; }
    void setBorderStyle(const TabcBorderStyle &style);

    // Kept for the window's use, as an ordinary label's buddy; the label itself
    // has no accelerator that would move the focus there.
    [[nodiscard]] QWidget *focusControl() const { return m_focusControl; }
    void setFocusControl(QWidget *control);

    // While loading, changes are stored but the size is not recomputed.
    // Loaded() ends loading and sizes the label to its text keeping its
    // current top-left corner, whatever AutoSize and RotateCenter say.
    void beginLoad();
    void Loaded();
    [[nodiscard]] bool isLoading() const { return m_loading; }

    // Where the text is drawn from, in the label's own coordinates.
    [[nodiscard]] QPoint textOrigin() const { return m_box.origin; }

    [[nodiscard]] QSize sizeHint() const override;
    [[nodiscard]] QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    [[nodiscard]] QString measuredText() const;
    void recompute();
    void adjustBounds(bool autoSize, bool keepCentre);

    QString m_caption;
    quint16 m_angle = 0;
    bool m_autoSize = true;
    bool m_rotateCenter = true;
    bool m_transparent = false;
    bool m_loading = false;
    QColor m_color;
    TabcCaptionStyle m_captionStyle;
    TabcBorderStyle m_borderStyle;
    QPointer<QWidget> m_focusControl;
    QSize m_textSize;
    RotatedTextBox m_box;
};
