// Append and remove at the ration's capacity: every change recomputes all totals.
#include "ration/RationModel.h"

#include <benchmark/benchmark.h>

using namespace Qt::StringLiterals;

namespace {

ProductRecord valuesFor(int i)
{
    return ProductRecord{QString::number(i % 40) + u",5"_s, QString::number(i % 25) + u".25"_s,
                         QString::number(i % 70), QString::number(100 + i % 400) + u",5"_s, QString()};
}

void fill(RationModel &model, int rows)
{
    for (int i = 0; i < rows; ++i)
        model.append(u"Продукт номер "_s + QString::number(i), 50 + i % 300, valuesFor(i));
}

void BM_AppendToFullMinusOne(benchmark::State &state)
{
    RationModel model(u',');
    fill(model, RationModel::Capacity - 1);
    const ProductRecord values = valuesFor(7);
    const QString name = u"Творог 9%"_s;
    for (auto _ : state) {
        model.append(name, 150, values);
        state.PauseTiming();
        model.remove(model.count() - 1);
        state.ResumeTiming();
    }
    benchmark::DoNotOptimize(model.totalText(RationModel::Total::Kal));
}
BENCHMARK(BM_AppendToFullMinusOne)->Unit(benchmark::kMicrosecond);

void BM_RemoveFromFull(benchmark::State &state)
{
    RationModel model(u',');
    fill(model, RationModel::Capacity);
    const ProductRecord values = valuesFor(7);
    const QString name = u"Творог 9%"_s;
    for (auto _ : state) {
        model.remove(RationModel::Capacity / 2);
        state.PauseTiming();
        model.append(name, 150, values);
        state.ResumeTiming();
    }
    benchmark::DoNotOptimize(model.totalText(RationModel::Total::Kal));
}
BENCHMARK(BM_RemoveFromFull)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
