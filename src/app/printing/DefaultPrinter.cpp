#include "printing/DefaultPrinter.h"

#include "printing/CupsSpooler.h"

namespace {
std::function<std::unique_ptr<Spooler>()> &replacement()
{
    static std::function<std::unique_ptr<Spooler>()> make;
    return make;
}
} // namespace

std::unique_ptr<Spooler> DefaultPrinter::spooler()
{
    if (replacement())
        return replacement()();
    return std::make_unique<CupsSpooler>();
}

void DefaultPrinter::useSpooler(std::function<std::unique_ptr<Spooler>()> make)
{
    replacement() = std::move(make);
}

void DefaultPrinter::useSystem()
{
    replacement() = nullptr;
}
