#include "EdokladApplication.h"

#include "look/AppIcons.h"
#include "look/AppStyle.h"
#include "look/Fonts.h"
#include "messages/Guarded.h"
#include "QtTranslations.h"
#include "Texts.h"

#include <utility>

EdokladApplication::EdokladApplication(int &argc, char **argv) : QApplication(argc, argv)
{
    setUp();
}

void EdokladApplication::setUp()
{
    // The application name (not the display name) so that Qt does not append it to dialog titles.
    QCoreApplication::setApplicationName(Texts::applicationTitle());
    static bool styled = false; // tests set up the application again
    if (!std::exchange(styled, true))
        QApplication::setStyle(new AppStyle); // the application takes it
    // The icon and the menu entry the desktop shows for the program's windows.
    QApplication::setWindowIcon(AppIcons::applicationIcon());
    QGuiApplication::setDesktopFileName(QStringLiteral("ru.edoklad.edoklad"));
    Fonts::installSubstitutions();
    installQtTranslations();
}

bool EdokladApplication::notify(QObject *receiver, QEvent *event)
{
    bool result = false;
    runGuarded([&] { result = QApplication::notify(receiver, event); });
    return result;
}
