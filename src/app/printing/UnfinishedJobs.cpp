#include "printing/UnfinishedJobs.h"

#include "printing/DefaultPrinter.h"

#include <QCoreApplication>
#include <QSet>

#include <condition_variable>
#include <ctime>
#include <memory>
#include <mutex>
#include <thread>

namespace {
// Taken as the program's code is loaded, long before its first print.
const qint64 runStarted = qint64(std::time(nullptr));

struct Ledger
{
    std::mutex mutex;
    QSet<int> unfinished;
};

// Never destroyed: a thread left waiting on the spooler may settle a job while the program ends.
Ledger &ledger()
{
    static Ledger *const instance = new Ledger;
    return *instance;
}
} // namespace

void UnfinishedJobs::created(int job)
{
    const std::lock_guard<std::mutex> lock(ledger().mutex);
    ledger().unfinished.insert(job);
}

void UnfinishedJobs::settled(int job)
{
    const std::lock_guard<std::mutex> lock(ledger().mutex);
    ledger().unfinished.remove(job);
}

bool UnfinishedJobs::left(const Spooler::HeldJob &job)
{
    if (!job.title.isEmpty())
        return false;
    const std::lock_guard<std::mutex> lock(ledger().mutex);
    return ledger().unfinished.contains(job.id) || job.created < runStarted;
}

void UnfinishedJobs::withdraw(std::chrono::milliseconds bound)
{
    QList<int> jobs;
    {
        const std::lock_guard<std::mutex> lock(ledger().mutex);
        jobs = ledger().unfinished.values();
    }
    if (jobs.isEmpty())
        return;

    struct Done
    {
        std::mutex mutex;
        std::condition_variable changed;
        bool done = false;
    };
    const auto done = std::make_shared<Done>();
    // Detached: a spooler that does not answer in time is left to the next print.
    std::thread([jobs, done, spooler = DefaultPrinter::spooler()] {
        for (const int job : jobs)
            if (spooler->cancel(job))
                settled(job);
        const std::lock_guard<std::mutex> lock(done->mutex);
        done->done = true;
        done->changed.notify_all();
    }).detach();
    std::unique_lock<std::mutex> lock(done->mutex);
    done->changed.wait_for(lock, bound, [&] { return done->done; });
}

void UnfinishedJobs::withdrawAtExit()
{
    static std::once_flag once;
    std::call_once(once, [] { qAddPostRoutine([] { withdraw(std::chrono::seconds(2)); }); });
}
