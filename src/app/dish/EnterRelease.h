#pragma once

#include <QObject>

// Enter that acts on its release, and only the release of a press made on the same widget: the
// mass dialog opened by it confirms on Enter's release, and would otherwise take the release of
// the very key that opened it. Installed on each widget where Enter picks something; the press
// and release are eaten there.
class EnterRelease : public QObject
{
    Q_OBJECT
public:
    explicit EnterRelease(QObject *parent);
    void watch(QObject *widget);

signals:
    void released(QObject *widget);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QObject *m_pressedOn = nullptr;
};
