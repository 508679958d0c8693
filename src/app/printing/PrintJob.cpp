#include "printing/PrintJob.h"

#include "printing/PdfPages.h"
#include "printing/UnfinishedJobs.h"

#include <QBuffer>

#include <atomic>
#include <functional>
#include <mutex>
#include <thread>
#include <utility>

using namespace Qt::StringLiterals;

struct PrintJob::Shared
{
    std::mutex mutex;
    PrintJob *receiver = nullptr; // cleared when the job object goes
    std::atomic<bool> aborted = false;

    // Runs STEP on the interface thread, on the job object if it is still there.
    void post(std::function<void(PrintJob &)> step)
    {
        const std::lock_guard<std::mutex> lock(mutex);
        if (receiver)
            QMetaObject::invokeMethod(
                receiver, [job = receiver, step = std::move(step)] { step(*job); }, Qt::QueuedConnection);
    }
};

namespace {
QString refusal(const QString &printer, const QString &words)
{
    QString message = u"Ошибка печати на принтере "_s + printer;
    if (!words.isEmpty())
        message += u'\n' + words;
    return message;
}

QString unreachable(const QString &words)
{
    QString message = u"Служба печати недоступна"_s;
    if (!words.isEmpty())
        message += u'\n' + words;
    return message;
}

// The job's steps, on its own thread.
void run(const std::shared_ptr<PrintJob::Shared> &shared, Spooler &spooler, const PrintJob::Document &document)
{
    const auto fail = [&](const QString &message) {
        shared->post([message](PrintJob &job) { job.finish(false, message); });
    };

    const std::optional<Spooler::Printer> printer = spooler.defaultPrinter();
    if (!printer) {
        fail(spooler.unreachable() ? unreachable(spooler.lastError())
                                   : u"There is no default printer currently selected"_s);
        return;
    }
    shared->post([name = printer->name](PrintJob &job) {
        if (job.Printing())
            emit job.printerNamed(name);
    });
    if (shared->aborted)
        return;

    // Jobs an earlier print could not see through, left held when the spooler stopped answering.
    for (const Spooler::HeldJob &held : spooler.heldJobs())
        if (UnfinishedJobs::left(held) && spooler.cancel(held.id))
            UnfinishedJobs::settled(held.id);

    QBuffer pdf;
    pdf.open(QIODevice::WriteOnly);
    if (!document(pdf, printer->layout)) {
        fail(refusal(printer->name, {}));
        return;
    }
    if (shared->aborted)
        return;

    const int id = spooler.createHeldJob(*printer);
    if (id <= 0) {
        fail(refusal(printer->name, spooler.lastError()));
        return;
    }
    UnfinishedJobs::created(id);
    const auto withdraw = [&] {
        if (spooler.cancel(id))
            UnfinishedJobs::settled(id);
    };
    if (shared->aborted) {
        withdraw();
        return;
    }
    if (!spooler.sendDocument(*printer, id, pdf.data())) {
        const QString words = spooler.lastError();
        withdraw();
        fail(refusal(printer->name, words));
        return;
    }
    if (shared->aborted) {
        withdraw();
        return;
    }
    if (!spooler.release(*printer, id)) {
        const QString words = spooler.lastError();
        withdraw();
        fail(refusal(printer->name, words));
        return;
    }
    if (shared->aborted) {
        withdraw(); // too late to be sure, but as soon as possible
        return;
    }
    UnfinishedJobs::settled(id);
    shared->post([](PrintJob &job) { job.finish(true, {}); });
}
} // namespace

PrintJob::PrintJob(std::unique_ptr<Spooler> spooler, RationPrintout printout, QObject *parent)
    : PrintJob(std::move(spooler),
               [printout = std::move(printout)](QIODevice &pdf, const QPageLayout &paper) {
                   return WriteRationPdf(pdf, printout, paper);
               },
               parent)
{
}

PrintJob::PrintJob(std::unique_ptr<Spooler> spooler, Document document, QObject *parent)
    : QObject(parent), m_shared(std::make_shared<Shared>()), m_spooler(std::move(spooler)),
      m_document(std::move(document))
{
    m_shared->receiver = this;
}

PrintJob::~PrintJob()
{
    Abort();
    const std::lock_guard<std::mutex> lock(m_shared->mutex);
    m_shared->receiver = nullptr;
}

void PrintJob::start()
{
    if (!m_spooler)
        return; // a job runs once
    m_printing = true;
    UnfinishedJobs::withdrawAtExit();
    // Detached: a hung spooler must keep neither the window nor the program's end waiting.
    std::thread([shared = m_shared, spooler = std::move(m_spooler), document = m_document] {
        run(shared, *spooler, document);
    }).detach();
}

void PrintJob::Abort()
{
    m_printing = false;
    m_shared->aborted = true;
}

void PrintJob::finish(bool printed, const QString &message)
{
    if (!m_printing)
        return; // aborted meanwhile: no one waits for the outcome
    m_printing = false;
    if (printed)
        emit this->printed();
    else
        emit failed(message);
}
