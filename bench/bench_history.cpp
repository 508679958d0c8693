// Undo and redo with a full ration (1024 rows): each kind of step, taken back and done again.
// Also the memory a full history of 10 000 steps over such a ration holds.
#include "ResidentMemory.h"
#include "ration/RationModel.h"

#include <benchmark/benchmark.h>

#include <functional>

using namespace Qt::StringLiterals;

namespace {

ProductRecord valuesFor(int i)
{
    return ProductRecord{QString::number(i % 40) + u",5"_s, QString::number(i % 25) + u".25"_s,
                         QString::number(i % 70), QString::number(100 + i % 400) + u",5"_s, QString()};
}

QList<RationRow> fullDay()
{
    QList<RationRow> rows;
    for (int i = 0; i < RationModel::Capacity; ++i)
        rows.append({u"Продукт номер "_s + QString::number(i), QString::number(50 + i % 300), valuesFor(i)});
    return rows;
}

// One step on a full ration (less one row for an add), then undo and redo in turn, timed apart.
void undoRedo(benchmark::State &state, bool undo, const std::function<void(RationModel &)> &step)
{
    RationModel model(u',');
    model.replace(fullDay());
    step(model);
    for (auto _ : state) {
        if (undo) {
            model.undo();
            state.PauseTiming();
            model.redo();
            state.ResumeTiming();
        } else {
            state.PauseTiming();
            model.undo();
            state.ResumeTiming();
            model.redo();
        }
    }
    benchmark::DoNotOptimize(model.totalText(RationModel::Total::Kal));
}

const std::function<void(RationModel &)> kAdd = [](RationModel &m) {
    m.remove(0);
    m.append(u"Творог 9%"_s, 150, valuesFor(7));
};
const std::function<void(RationModel &)> kRemove = [](RationModel &m) { m.remove(RationModel::Capacity / 2); };
const std::function<void(RationModel &)> kClear = [](RationModel &m) { m.clear(); };
const std::function<void(RationModel &)> kMass = [](RationModel &m) { m.setMass(RationModel::Capacity / 2, 333); };

BENCHMARK_CAPTURE(undoRedo, undo_add, true, kAdd)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(undoRedo, redo_add, false, kAdd)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(undoRedo, undo_remove, true, kRemove)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(undoRedo, redo_remove, false, kRemove)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(undoRedo, undo_clear, true, kClear)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(undoRedo, redo_clear, false, kClear)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(undoRedo, undo_mass, true, kMass)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(undoRedo, redo_mass, false, kMass)->Unit(benchmark::kMicrosecond);

void BM_ChangeMassOfFull(benchmark::State &state)
{
    RationModel model(u',');
    model.replace(fullDay());
    int grams = 1;
    for (auto _ : state)
        model.setMass(RationModel::Capacity / 2, grams = grams % 20000 + 1);
    benchmark::DoNotOptimize(model.totalText(RationModel::Total::Kal));
}
BENCHMARK(BM_ChangeMassOfFull)->Unit(benchmark::kMicrosecond);

// The most a history can hold: every step a clear of a full ration, or one of the adds that
// filled it again with rows of their own texts, until 10 000 steps are kept. Reported as the
// growth over the opened ration, in MB.
void BM_FullHistoryMemory(benchmark::State &state)
{
    for (auto _ : state) {
        RationModel model(u',');
        model.replace(fullDay());
        const double before = residentMegabytes();
        int round = 0;
        while (model.history().undoCount() < RationHistory::DefaultLimit) {
            model.clear();
            ++round;
            for (int i = 0; i < RationModel::Capacity; ++i)
                model.append(u"Продукт %1 круга %2"_s.arg(i).arg(round), 1 + i, valuesFor(i + round));
        }
        state.counters["history_MB"] = residentMegabytes() - before;
        state.counters["steps"] = model.history().undoCount();
    }
}
BENCHMARK(BM_FullHistoryMemory)->Iterations(1)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
