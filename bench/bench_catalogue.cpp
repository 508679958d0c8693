// The largest catalogue the capacities allow, with a real catalogue's lines (254 categories x 1023
// products, about 11 MB; bench_hostile_catalogue takes the fullest the size limits allow): loading
// it against merely reading and decoding its bytes, the memory it takes, and refilling the product
// grid with 1023 products.
#include "Cp1251.h"
#include "LargestCatalogue.h"
#include "ResidentMemory.h"
#include "catalogue/Catalogue.h"
#include "catalogue/LoadCatalogue.h"
#include "catalogue/ProductListModel.h"

#include <QApplication>
#include <QFile>
#include <QHeaderView>
#include <QStringDecoder>
#include <QStringList>
#include <QTableView>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <memory>

using namespace Qt::StringLiterals;

namespace {

QTemporaryDir *catalogueDir = nullptr;
QStringList categoryPaths; // absolute, index first
qint64 catalogueBytes = 0;

void generateCatalogue()
{
    categoryPaths = LargestCatalogue::write(catalogueDir->path(), &catalogueBytes);
}

QByteArray readBytes(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
        qFatal("cannot read %s", qPrintable(path));
    return file.readAll();
}

// Memory that a loaded catalogue adds to the process: measured on the first load only (later
// ones reuse freed memory), which then stays loaded for the refill benchmarks.
std::unique_ptr<Catalogue> loaded;
double rssBefore = 0;
double rssAdded = 0;

void BM_LoadedMemory(benchmark::State &state)
{
    for (auto _ : state) {
        if (!loaded) {
            rssBefore = residentMegabytes();
            loaded = std::make_unique<Catalogue>();
            LoadCatalogue(*loaded, QDir(catalogueDir->path()));
            rssAdded = residentMegabytes() - rssBefore;
        }
    }
    state.counters["rss_before_MB"] = rssBefore;
    state.counters["rss_added_MB"] = rssAdded;
    state.counters["file_MB"] = double(catalogueBytes) / (1024.0 * 1024.0);
}
BENCHMARK(BM_LoadedMemory)->Iterations(1)->Unit(benchmark::kMillisecond);

// For the refill benchmarks when the memory one was filtered out.
const Catalogue *loadedCatalogue()
{
    if (!loaded) {
        loaded = std::make_unique<Catalogue>();
        LoadCatalogue(*loaded, QDir(catalogueDir->path()));
    }
    return loaded.get();
}

// Loading only: the program loads its catalogue once and frees it when it ends, so freeing the
// last one is left out of the time.
void BM_LoadCatalogue(benchmark::State &state)
{
    for (auto _ : state) {
        auto catalogue = std::make_unique<Catalogue>();
        const CatalogueLoadResult result = LoadCatalogue(*catalogue, QDir(catalogueDir->path()));
        if (!result.messages.isEmpty() || catalogue->productCount(254) != Catalogue::MaxProducts)
            state.SkipWithError("catalogue did not load whole");
        benchmark::DoNotOptimize(catalogue);
        state.PauseTiming();
        catalogue.reset();
        state.ResumeTiming();
    }
    state.SetBytesProcessed(state.iterations() * catalogueBytes);
}
BENCHMARK(BM_LoadCatalogue)->Unit(benchmark::kMillisecond);

void BM_ReadFiles(benchmark::State &state)
{
    for (auto _ : state) {
        for (const QString &path : categoryPaths)
            benchmark::DoNotOptimize(readBytes(path));
    }
    state.SetBytesProcessed(state.iterations() * catalogueBytes);
}
BENCHMARK(BM_ReadFiles)->Unit(benchmark::kMillisecond);

// Reading while keeping every file's bytes, as the loader does: the floor for loading, since fresh
// memory costs page faults that re-reading into a reused buffer does not.
void BM_ReadAndKeepFiles(benchmark::State &state)
{
    for (auto _ : state) {
        QList<QByteArray> kept;
        for (const QString &path : categoryPaths)
            kept.append(readBytes(path));
        benchmark::DoNotOptimize(kept);
    }
    state.SetBytesProcessed(state.iterations() * catalogueBytes);
}
BENCHMARK(BM_ReadAndKeepFiles)->Unit(benchmark::kMillisecond);

void BM_ReadAndDecode(benchmark::State &state)
{
    for (auto _ : state) {
        for (const QString &path : categoryPaths)
            benchmark::DoNotOptimize(Cp1251::decode(readBytes(path)));
    }
    state.SetBytesProcessed(state.iterations() * catalogueBytes);
}
BENCHMARK(BM_ReadAndDecode)->Unit(benchmark::kMillisecond);

// Qt's ICU codec, the alternative to the table in Cp1251.
void BM_ReadAndDecodeWithQtCodec(benchmark::State &state)
{
    for (auto _ : state) {
        for (const QString &path : categoryPaths) {
            QStringDecoder decoder("windows-1251");
            benchmark::DoNotOptimize(QString(decoder(readBytes(path))));
        }
    }
    state.SetBytesProcessed(state.iterations() * catalogueBytes);
}
BENCHMARK(BM_ReadAndDecodeWithQtCodec)->Unit(benchmark::kMillisecond);

// FillProductGrid with 1023 products, alternating between two full categories.
void BM_ProductRefill(benchmark::State &state)
{
    ProductListModel model(loadedCatalogue());
    int k = 1;
    for (auto _ : state) {
        model.setCategory(k);
        benchmark::DoNotOptimize(model.index(0, 0).data());
        k = 3 - k;
    }
}
BENCHMARK(BM_ProductRefill)->Unit(benchmark::kMicrosecond);

// The same refill shown in a grid the size of the main window's, painted each time.
void BM_ProductRefillInView(benchmark::State &state)
{
    ProductListModel model(loadedCatalogue());
    model.setHeaderText(u"Продукты"_s);
    QTableView view;
    view.setModel(&model);
    view.verticalHeader()->hide();
    view.verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    view.verticalHeader()->setDefaultSectionSize(16);
    view.horizontalHeader()->setStretchLastSection(true);
    view.resize(338, 303);
    view.show();
    QCoreApplication::processEvents();
    int k = 1;
    for (auto _ : state) {
        model.setCategory(k);
        QCoreApplication::processEvents();
        view.viewport()->repaint();
        k = 3 - k;
    }
    state.counters["rows"] = model.rowCount();
}
BENCHMARK(BM_ProductRefillInView)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;

    QTemporaryDir dir;
    catalogueDir = &dir;
    generateCatalogue();
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    loaded.reset();
    return 0;
}
