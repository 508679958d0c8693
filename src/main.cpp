#include "EdokladApplication.h"
#include "MessageBoxes.h"
#include "TfrmMain.h"
#include "TfrmPrint.h"
#include "TfrmWeight.h"
#include "catalogue/Catalogue.h"

#include <exception>

int main(int argc, char *argv[])
{
    // The catalogue tables exist before any window and are released after the last one.
    Catalogue catalogue;
    EdokladApplication app(argc, argv);
    try {
        TfrmMain frmMain(catalogue);
        TfrmWeight frmWeight(frmMain.ration(), &frmMain);
        TfrmPrint frmPrint(&frmMain);
        frmMain.setDialogs(&frmWeight, &frmPrint);
        QObject::connect(&frmMain, &TfrmMain::endRequested, &app, &QCoreApplication::quit, Qt::QueuedConnection);

        frmMain.show();
        EdokladApplication::exec();
    } catch (const std::exception &error) {
        MessageBoxes::showException(QString::fromUtf8(error.what()));
    }
    return 0;
}
