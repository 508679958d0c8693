#include "EdokladApplication.h"
#include "TfrmMain.h"
#include "messages/MessageBoxes.h"
#include "catalogue/Catalogue.h"
#include "startup/CommandLine.h"

#include <QStringList>

#include <cstdio>
#include <cstdlib>
#include <exception>

namespace {
QtMessageHandler qtMessageHandler = nullptr;

// Installed while the application object is made: the one fatal message Qt gives there is that no
// platform plugin could connect (no display named, a display that is gone, no compositor), after
// which it would abort. The program says it in its own words and stops with status 1 instead;
// Qt's warnings before it, which say why, pass as usual.
void stopWithoutDisplay(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (type != QtFatalMsg) {
        if (qtMessageHandler)
            qtMessageHandler(type, context, message);
        else
            std::fputs(qPrintable(qFormatLogMessage(type, context, message) + u'\n'), stderr);
        return;
    }
    std::fputs(CommandLine::noDisplayError().toLocal8Bit().constData(), stderr);
    std::fflush(stderr);
    std::_Exit(1); // the application object is half made: nothing may run its destructors
}

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
    qtMessageHandler = qInstallMessageHandler(stopWithoutDisplay);
    EdokladApplication app(argc, argv);
    qInstallMessageHandler(qtMessageHandler);
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
