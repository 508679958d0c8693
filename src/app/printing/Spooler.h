#pragma once

#include <QByteArray>
#include <QList>
#include <QPageLayout>
#include <QString>

#include <optional>

// The print service a job talks to, one request at a time, off the interface thread: any call
// may wait as long as the service does. A job is created held, so that nothing of it can reach
// the paper before the job releases it, and a cancelled job is withdrawn whatever step it was at.
class Spooler
{
public:
    struct Printer
    {
        QString name;       // as the user knows it
        QPageLayout layout; // its default paper, margins giving the printable area
    };

    // A job of the user's that waits to be released.
    struct HeldJob
    {
        int id = 0;
        QString title;
        qint64 created = 0; // seconds since the epoch
    };

    virtual ~Spooler() = default;

    // The default printer, or nothing when none is selected or no print service answered
    // (unreachable() tells which; lastError() may say why).
    [[nodiscard]] virtual std::optional<Printer> defaultPrinter() = 0;
    // A new held job with an empty title and the printer's own defaults; 0 when refused.
    [[nodiscard]] virtual int createHeldJob(const Printer &printer) = 0;
    // The job's one document, a PDF; true once the spooler has accepted it.
    [[nodiscard]] virtual bool sendDocument(const Printer &printer, int job, const QByteArray &pdf) = 0;
    // Lets the held job print; true once the spooler has taken the request.
    [[nodiscard]] virtual bool release(const Printer &printer, int job) = 0;
    // Withdraws the job; true once the spooler has answered that it is withdrawn or already over.
    virtual bool cancel(int job) = 0;
    // The user's jobs that are held, on any printer.
    [[nodiscard]] virtual QList<HeldJob> heldJobs() = 0;
    // The spooler's own words for the last refusal.
    [[nodiscard]] virtual QString lastError() const = 0;
    // Whether the last failure was that no print service could be reached at all, rather than a
    // service that refused.
    [[nodiscard]] virtual bool unreachable() const = 0;
};
