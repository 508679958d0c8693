#include "report/DayReport.h"

#include <stdexcept>

int DayReport::readDays() const
{
    return 0;
}

std::array<long double, 4> DayReport::sum() const
{
    return {};
}

std::array<long double, 4> DayReport::mean() const
{
    return {};
}

bool NaturalNameLess(const QString &a, const QString &b)
{
    return a < b;
}

DayReport ReadDayReport(const QStringList &)
{
    throw std::logic_error("not yet");
}
