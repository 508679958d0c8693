#include "EdokladApplication.h"
#include "TfrmMain.h"
#include "messages/MessageBoxes.h"
#include "catalogue/Catalogue.h"
#include "startup/CommandLine.h"

#include <QStringList>

#include <cstdio>
#include <exception>

namespace {
QStringList processArguments(int argc, char *argv[])
{
    QStringList arguments;
    arguments.reserve(argc);
    for (int i = 0; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    return arguments;
}
} // namespace

int main(int argc, char *argv[])
{
    // Answered before the application object, which needs a display.
    if (const std::optional<QString> answer = CommandLine::answer(processArguments(argc, argv))) {
        std::fputs(answer->toLocal8Bit().constData(), stdout);
        return 0;
    }

    // The catalogue tables exist before any window and are released after the last one.
    Catalogue catalogue;
    EdokladApplication app(argc, argv);
    const CommandLine::Parsed commandLine = CommandLine::parse(QCoreApplication::arguments());
    if (!commandLine.error.isEmpty()) {
        std::fputs(commandLine.error.toLocal8Bit().constData(), stderr);
        return 1;
    }
    try {
        // The application's main window; it builds the other windows when they are first needed.
        TfrmMain frmMain(catalogue);
        QObject::connect(&frmMain, &TfrmMain::endRequested, &app, &QCoreApplication::quit, Qt::QueuedConnection);

        frmMain.setStartRequest(commandLine.request);
        frmMain.show();
        EdokladApplication::exec();
    } catch (const std::exception &error) {
        MessageBoxes::showException(QString::fromUtf8(error.what()));
    }
    return 0;
}
