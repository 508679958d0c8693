#pragma once

#include "print/RationPage.h"
#include "printing/Spooler.h"

#include <QObject>
#include <QString>

#include <functional>
#include <memory>

class QIODevice;
class QPageLayout;

// One printout on the default printer, run on a thread of its own so that a spooler that is
// slow or hung never stops the windows: the spooler names the printer, the pages are drawn as a
// PDF on its paper, a held job is created, the document handed over, and only then is the job
// released. The printout counts as printed only once all of that was accepted.
//
// Abort withdraws the job at whatever step it is: the thread cancels the job as soon as the
// spooler answers, and since the job stays held until the last step nothing of it reaches the
// paper. The thread may outlive this object (a hung spooler); it then reports to no one, and a
// job it leaves held is withdrawn at the program's end or by the next print (UnfinishedJobs).
class PrintJob : public QObject
{
    Q_OBJECT
public:
    PrintJob(std::unique_ptr<Spooler> spooler, RationPrintout printout, QObject *parent = nullptr);
    // Any document: DOCUMENT draws its pages as a PDF on the printer's paper, on the job's thread.
    using Document = std::function<bool(QIODevice &pdf, const QPageLayout &paper)>;
    PrintJob(std::unique_ptr<Spooler> spooler, Document document, QObject *parent = nullptr);
    // A job still in progress is aborted.
    ~PrintJob() override;

    void start();
    // Started, and neither printed, failed nor aborted yet.
    [[nodiscard]] bool Printing() const { return m_printing; }
    void Abort();
    // The thread's outcome, on the interface thread.
    void finish(bool printed, const QString &message);

    // What the job's thread shares with this object.
    struct Shared;

signals:
    void printerNamed(const QString &name);
    void printed();
    // The message for the user: no printer, or the spooler's refusal in its own words.
    void failed(const QString &message);

private:
    std::shared_ptr<Shared> m_shared;
    std::unique_ptr<Spooler> m_spooler;
    Document m_document;
    bool m_printing = false;
};
