// The largest catalogue the capacities allow, with a real catalogue's lines (254 categories x 1023
// products, about 11 MB; bench_hostile_catalogue takes the fullest the size limits allow): loading
// it against merely reading and decoding its bytes, the memory it takes, and refilling the product
// grid with 1023 products.
#include "Cp1251.h"
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

#include <unistd.h>

#include <cstdio>
#include <memory>

using namespace Qt::StringLiterals;

namespace {

QTemporaryDir *catalogueDir = nullptr;
QStringList categoryPaths; // absolute, index first
qint64 catalogueBytes = 0;

void writeCp1251(const QString &path, const QString &text)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        qFatal("cannot write %s", qPrintable(path));
    const QByteArray bytes = Cp1251::encode(text);
    file.write(bytes);
    catalogueBytes += bytes.size();
}

// Windows-style files (CR LF) with names and values as a real catalogue has them.
void generateCatalogue()
{
    const QStringList foods{u"Молоко"_s, u"Сыр"_s, u"Творог"_s, u"Кефир"_s, u"Хлеб"_s, u"Говядина"_s,
                            u"Свинина"_s, u"Курица"_s, u"Треска"_s, u"Гречка"_s, u"Рис"_s, u"Яблоко"_s,
                            u"Капуста"_s, u"Картофель"_s, u"Печенье"_s, u"Шоколад"_s};
    const QStringList kinds{u"российский"_s, u"домашний"_s, u"отварной"_s, u"жареный"_s, u"копчёный"_s,
                            u"обезжиренный"_s, u"свежий"_s, u"сушёный"_s, u"«Особый»"_s, u"тушёный"_s};
    const QDir files(catalogueDir->filePath(u"files"_s));
    QDir().mkpath(files.path());
    QString index;
    for (int k = 1; k <= Catalogue::MaxCategories; ++k) {
        const QString name = u"кат"_s + QString::number(k).rightJustified(3, u'0') + u".txt"_s;
        index += name + u"\r\n"_s;
        QString text = u"Категория продуктов № "_s + QString::number(k) + u"\r\n"_s;
        for (int r = 1; r <= Catalogue::MaxProducts; ++r) {
            const int seed = k * 7919 + r * 104729;
            text += foods[seed % foods.size()] + u' ' + kinds[(seed / 16) % kinds.size()] + u" №"_s
                + QString::number(r) + u';' + QString::number(seed % 300 / 10.0, 'f', 1).replace(u'.', u',')
                + u';' + QString::number(seed % 400 / 10.0, 'f', 1).replace(u'.', u',') + u';'
                + QString::number(seed % 700 / 10.0, 'f', 1).replace(u'.', u',') + u';'
                + QString::number(seed % 900) + u"\r\n"_s;
        }
        writeCp1251(files.filePath(name), text);
        categoryPaths << files.filePath(name);
    }
    writeCp1251(files.filePath(u"db.txt"_s), index);
    categoryPaths.prepend(files.filePath(u"db.txt"_s));
}

double residentMegabytes()
{
    long pages = 0;
    long resident = 0;
    if (FILE *statm = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(statm, "%ld %ld", &pages, &resident) != 2)
            resident = 0;
        std::fclose(statm);
    }
    return double(resident) * double(sysconf(_SC_PAGESIZE)) / (1024.0 * 1024.0);
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

void BM_LoadCatalogue(benchmark::State &state)
{
    for (auto _ : state) {
        Catalogue catalogue;
        const CatalogueLoadResult result = LoadCatalogue(catalogue, QDir(catalogueDir->path()));
        if (!result.messages.isEmpty() || catalogue.productCount(254) != Catalogue::MaxProducts)
            state.SkipWithError("catalogue did not load whole");
        benchmark::DoNotOptimize(catalogue);
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

// Reading while keeping every file's bytes, as a loaded catalogue does: the floor for loading,
// since fresh memory costs page faults that re-reading into a reused buffer does not.
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
