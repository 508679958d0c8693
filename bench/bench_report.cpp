// The report over a month of full rations (31 files of 1024 rows): the files read and checked as
// Open reads them, and the CSV of all their products made and written.
#include "ration/RationModel.h"
#include "rationfile/RationFile.h"
#include "report/DayReport.h"
#include "report/ReportCsv.h"

#include <QTemporaryDir>

#include <benchmark/benchmark.h>

using namespace Qt::StringLiterals;

namespace {

constexpr int Days = 31;

QList<RationRow> fullRation(int day)
{
    QList<RationRow> rows;
    for (int i = 0; i < RationModel::Capacity; ++i) {
        const int k = i + day;
        rows.append(RationRow{u"Продукт из каталога номер "_s + QString::number(k), QString::number(50 + k % 300),
                              ProductRecord{QString::number(k % 40) + u",5"_s, QString::number(k % 25) + u".25"_s,
                                            QString::number(k % 70), QString::number(100 + k % 400) + u",5"_s,
                                            QString()}});
    }
    return rows;
}

// A month of full days in dir; empty when a file could not be written.
QStringList month(const QTemporaryDir &dir)
{
    QStringList paths;
    for (int d = 1; d <= Days; ++d) {
        paths << dir.filePath(u"день %1.edk"_s.arg(d));
        if (!WriteRationFile(paths.last(), fullRation(d)))
            return {};
    }
    return paths;
}

DailyNorm energyNorm()
{
    DailyNorm norm;
    norm.values[DailyNorm::Kal] = 2200;
    return norm;
}

void BM_ReadMonth(benchmark::State &state)
{
    QTemporaryDir dir;
    const QStringList paths = month(dir);
    if (paths.isEmpty()) {
        state.SkipWithError("cannot write the files");
        return;
    }
    for (auto _ : state) {
        const DayReport report = ReadDayReport(paths);
        if (report.readDays() != Days)
            state.SkipWithError("a day was refused");
        benchmark::DoNotOptimize(report.mean());
    }
}
// The time the user waits.
BENCHMARK(BM_ReadMonth)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_WriteMonthCsv(benchmark::State &state)
{
    QTemporaryDir dir;
    const QStringList paths = month(dir);
    if (paths.isEmpty()) {
        state.SkipWithError("cannot write the files");
        return;
    }
    const DayReport report = ReadDayReport(paths);
    const QString csv = dir.filePath(u"month.csv"_s);
    for (auto _ : state) {
        if (!WriteCsvFile(csv, ReportCsv(report, energyNorm())))
            state.SkipWithError("the CSV was not written");
    }
}
BENCHMARK(BM_WriteMonthCsv)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
