#pragma once

#include "printing/Spooler.h"

#include <functional>
#include <memory>

// Where print jobs go: the system's CUPS scheduler and its default printer. Tests put a spooler
// of their own in its place, so windows print without one.
class DefaultPrinter
{
public:
    // A spooler for one job, used on that job's thread.
    [[nodiscard]] static std::unique_ptr<Spooler> spooler();

    // Tests: every job gets a spooler from MAKE; useSystem() goes back to CUPS.
    static void useSpooler(std::function<std::unique_ptr<Spooler>()> make);
    static void useSystem();
};
