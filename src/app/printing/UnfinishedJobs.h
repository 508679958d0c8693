#pragma once

#include "printing/Spooler.h"

#include <chrono>

// The jobs this program created on the spooler and has not seen printed or withdrawn. A job whose
// thread was left waiting on a hung spooler (then "Отменить" and the program's end) would stay
// held for good: the program's end gives the spooler a moment to withdraw them, and the next
// print withdraws whatever the program left held before. Safe from any thread.
namespace UnfinishedJobs {
void created(int job);
void settled(int job);

// Whether a held job is one the program left: untitled as all of ours, and either created by
// this run and not settled, or older than this run (so not a job another running copy of the
// program is sending now).
[[nodiscard]] bool left(const Spooler::HeldJob &job);

// Withdraws every unfinished job on a spooler of its own, waiting at most BOUND for it: for the
// program's end, once its windows are gone. Returns at once when there is none.
void withdraw(std::chrono::milliseconds bound);
// Runs withdraw() with a bound of two seconds as the application object goes; once is enough.
void withdrawAtExit();
} // namespace UnfinishedJobs
