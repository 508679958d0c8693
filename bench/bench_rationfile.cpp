// Open and Save of a full ration (1024 rows): the file read, checked and turned into the ration
// with its totals; the ration written to a temporary file and renamed over the old one.
#include "ration/RationModel.h"
#include "rationfile/RationFile.h"
#include "rationfile/RationFromFile.h"

#include <QTemporaryDir>

#include <benchmark/benchmark.h>

using namespace Qt::StringLiterals;

namespace {

QList<RationRow> fullRation()
{
    QList<RationRow> rows;
    for (int i = 0; i < RationModel::Capacity; ++i) {
        rows.append(RationRow{u"Продукт из каталога номер "_s + QString::number(i), QString::number(50 + i % 300),
                              ProductRecord{QString::number(i % 40) + u",5"_s, QString::number(i % 25) + u".25"_s,
                                            QString::number(i % 70), QString::number(100 + i % 400) + u",5"_s,
                                            QString()}});
    }
    return rows;
}

// The rows as the Save command takes them from the ration.
QList<RationRow> rowsOf(const RationModel &model)
{
    QList<RationRow> rows;
    rows.reserve(model.count());
    for (int i = 0; i < model.count(); ++i)
        rows.append(RationRow{model.name(i), model.grams(i), model.RationTable(i)});
    return rows;
}

void BM_OpenFullRation(benchmark::State &state)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(u"full.edk"_s);
    if (!WriteRationFile(path, fullRation())) {
        state.SkipWithError("cannot write the file");
        return;
    }
    RationModel model(u',');
    for (auto _ : state) {
        const std::optional<ParsedRationFile> file = ReadRationFile(path, RationModel::Capacity);
        model.replace(RationRowsFromFile(*file));
        benchmark::DoNotOptimize(model.totalText(RationModel::Total::Kal));
    }
    if (model.count() != RationModel::Capacity)
        state.SkipWithError("the ration was not opened whole");
}
BENCHMARK(BM_OpenFullRation)->Unit(benchmark::kMillisecond);

void BM_SaveFullRation(benchmark::State &state)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(u"full.edk"_s);
    RationModel model(u',');
    model.replace(fullRation());
    for (auto _ : state) {
        if (!WriteRationFile(path, rowsOf(model)))
            state.SkipWithError("the save failed");
    }
}
BENCHMARK(BM_SaveFullRation)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
