#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QString>

class QAbstractItemView;
class QKeyEvent;

// Type-ahead for a one-column list: the letters typed in quick succession make a prefix, and the
// first row whose text starts with it (ignoring case) becomes current. A pause longer than the
// reset delay starts a new prefix. Typing one letter again steps on to the next row with that
// letter, as list views on the desktop do, when no row starts with the repeated letters.
// Not QAbstractItemView::keyboardSearch: it starts a new search after the current row (typing "мол"
// on the first "Молоко" goes to the second), keeps its text private and resets it after the
// application-wide interval, so neither the first match nor the one-second minimum can be kept.
class TypeAhead : public QObject
{
    Q_OBJECT
public:
    // The desktop's own interval when it is longer: some users set it high on purpose.
    static constexpr int kMinimumResetMs = 1000;

    explicit TypeAhead(QAbstractItemView *view);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    [[nodiscard]] bool handleKey(const QKeyEvent *key);
    [[nodiscard]] int firstRowStartingWith(const QString &prefix, int from) const;

    QAbstractItemView *m_view;
    QString m_prefix;
    QElapsedTimer m_lastKey;
};
