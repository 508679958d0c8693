#pragma once

#include <QApplication>

// The application object: its title, and the standard box for an error that escapes an event handler.
class EdokladApplication : public QApplication
{
    Q_OBJECT
public:
    EdokladApplication(int &argc, char **argv);

    bool notify(QObject *receiver, QEvent *event) override;

    static void setUp(); // title, fonts and Qt's translations; also used by tests that build the windows themselves
};
