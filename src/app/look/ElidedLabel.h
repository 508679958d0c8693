#pragma once

#include <QLabel>

// A one-line label of plain text that never grows wider than its maximum width: a longer text is
// drawn cut with "…", and shown whole in its tool tip. Its text stays whole, so a screen reader
// reads the whole text and the window reads its label back unchanged.
class ElidedLabel : public QLabel
{
    Q_OBJECT
public:
    explicit ElidedLabel(const QString &text, QWidget *parent = nullptr);

    // The text as drawn: the whole text, or its start and "…" where the label is too narrow.
    [[nodiscard]] QString shownText() const;
    [[nodiscard]] QSize sizeHint() const override;
    [[nodiscard]] QSize minimumSizeHint() const override;

protected:
    bool event(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
};
