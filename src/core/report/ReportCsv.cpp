#include "report/ReportCsv.h"

#include "ReplaceFile.h"

QByteArray ReportCsv(const DayReport &, const DailyNorm &)
{
    return {};
}

QByteArray DayCsv(const QString &, const QList<RationRow> &)
{
    return {};
}

bool WriteCsvFile(const QString &path, const QByteArray &bytes)
{
    return ReplaceFile(path, bytes);
}
