#include "AppWindows.h"
#include "EdokladApplication.h"
#include "messages/MessageBoxes.h"
#include "catalogue/Catalogue.h"

#include <exception>

int main(int argc, char *argv[])
{
    // The catalogue tables exist before any window and are released after the last one.
    Catalogue catalogue;
    EdokladApplication app(argc, argv);
    try {
        const AppWindows windows = AppWindows::create(catalogue);
        QObject::connect(windows.main.get(), &TfrmMain::endRequested, &app, &QCoreApplication::quit,
                         Qt::QueuedConnection);

        windows.main->show();
        EdokladApplication::exec();
    } catch (const std::exception &error) {
        MessageBoxes::showException(QString::fromUtf8(error.what()));
    }
    return 0;
}
