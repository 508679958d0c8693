// Finding a product in a realistic large catalogue (30 x 350 products, a national food table) and
// in the largest the capacities allow (254 x 1023): each keystroke's update of the search window
// (search, list and paint), a long paste, opening the window, the memory it adds, and the search
// alone for a few kinds of words. The benchmarks' first argument picks the catalogue.
#include "EdokladApplication.h"
#include "LargestCatalogue.h"
#include "ResidentMemory.h"
#include "TfrmMain.h"
#include "catalogue/Catalogue.h"
#include "catalogue/ProductSearch.h"
#include "products/TfrmSearch.h"

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QListView>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <time.h>

#include <algorithm>
#include <iterator>
#include <memory>
#include <vector>

using namespace Qt::StringLiterals;

namespace {

struct CatalogueSize {
    const char *name;
    int categories;
    int products;
};
const CatalogueSize sizes[]{{"realistic", 30, 350}, {"largest", Catalogue::MaxCategories, Catalogue::MaxProducts}};
std::unique_ptr<QTemporaryDir> catalogueDirs[std::size(sizes)];
std::unique_ptr<Catalogue> catalogue;
std::unique_ptr<TfrmMain> mainWindow;
int started = -1;

// The program as a user has it: the catalogue loaded, the main window shown; no search yet.
void startProgram(int size)
{
    mainWindow.reset();
    catalogue.reset();
    started = size;
    QDir::setCurrent(catalogueDirs[size]->path());
    catalogue = std::make_unique<Catalogue>();
    mainWindow = std::make_unique<TfrmMain>(*catalogue);
    mainWindow->show();
    while (catalogue->categoryCount() == 0)
        QCoreApplication::processEvents();
    QCoreApplication::processEvents();
    mainWindow->repaint();
}

TfrmSearch *searchWindow()
{
    return mainWindow->findChild<TfrmSearch *>(u"frmSearch"_s);
}

// The processor time this thread has used: unlike the wall clock, not stretched by other
// processes on a busy machine.
double threadMilliseconds()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return double(now.tv_sec) * 1e3 + double(now.tv_nsec) / 1e6;
}

struct Times {
    std::vector<double> wall;
    std::vector<double> processor;
};

// Ctrl+F's menu item until the window has painted.
double openMilliseconds()
{
    QElapsedTimer timer;
    timer.start();
    mainWindow->findChild<QAction *>(u"mnuCatalogueFind"_s)->trigger();
    QCoreApplication::processEvents();
    searchWindow()->repaint();
    return double(timer.nsecsElapsed()) / 1e6;
}

// Typing each text in turn, then erasing it a character at a time: the field's text set as a
// keystroke sets it, until the window has painted the new list.
Times typeAndErase(const QStringList &texts)
{
    TfrmSearch *window = searchWindow();
    auto *field = window->findChild<QLineEdit *>(u"edtFind"_s);
    Times times;
    QElapsedTimer timer;
    auto step = [&](const QString &text) {
        timer.start();
        const double processorStart = threadMilliseconds();
        field->setText(text);
        QCoreApplication::processEvents();
        window->repaint();
        times.wall.push_back(double(timer.nsecsElapsed()) / 1e6);
        times.processor.push_back(threadMilliseconds() - processorStart);
    };
    for (const QString &text : texts) {
        for (qsizetype n = 1; n <= text.size(); ++n)
            step(text.first(n));
        for (qsizetype n = text.size() - 1; n >= 0; --n)
            step(text.first(n));
    }
    return times;
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values.empty() ? 0 : values[values.size() / 2];
}

const QStringList typed{u"копчёный 100"_s, u"молоко 3.2"_s, u"о"_s, u"шоколад «особый» №1023"_s, u"щщщ"_s};

// The first opening, then the script of keystrokes: time and the memory both add to the program.
void BM_OpenAndType(benchmark::State &state)
{
    for (auto _ : state) {
        startProgram(int(state.range(0)));
        state.SetLabel(sizes[state.range(0)].name);
        const double before = residentMegabytes();
        state.counters["first_open_ms"] = openMilliseconds();
        state.counters["rss_open_MB"] = residentMegabytes() - before;
        typeAndErase({u"о"_s});
        state.counters["rss_one_letter_MB"] = residentMegabytes() - before;
        Times times;
        for (int run = 0; run < 5; ++run) {
            const Times more = typeAndErase(typed);
            times.wall.insert(times.wall.end(), more.wall.begin(), more.wall.end());
            times.processor.insert(times.processor.end(), more.processor.begin(), more.processor.end());
        }
        state.counters["rss_added_MB"] = residentMegabytes() - before;
        state.counters["keystrokes"] = double(times.wall.size());
        state.counters["keystroke_median_ms"] = median(times.wall);
        state.counters["keystroke_cpu_median_ms"] = median(times.processor);
        state.counters["keystroke_cpu_max_ms"] = *std::max_element(times.processor.begin(), times.processor.end());
        // The one-letter word finds the most: its keystroke alone.
        searchWindow()->findChild<QLineEdit *>(u"edtFind"_s)->clear();
        Times oneLetter;
        for (int run = 0; run < 21; ++run) {
            const Times more = typeAndErase({u"о"_s});
            oneLetter.wall.push_back(more.wall.front());
            oneLetter.processor.push_back(more.processor.front());
        }
        state.counters["one_letter_median_ms"] = median(oneLetter.wall);
        state.counters["one_letter_cpu_median_ms"] = median(oneLetter.processor);
        ProductSearch search(catalogue.get()); // the list is given its rows a batch at a time
        search.setText(u"о"_s);
        state.counters["found_by_one_letter"] = search.count();
    }
}
BENCHMARK(BM_OpenAndType)->DenseRange(0, 1)->Iterations(1)->Unit(benchmark::kMillisecond);

// The program on the catalogue the benchmark's first argument picks, its search window open.
void openOn(const benchmark::State &state)
{
    if (started != int(state.range(0)))
        startProgram(int(state.range(0)));
    if (!searchWindow() || !searchWindow()->isVisible())
        openMilliseconds();
}

// 100 000 characters of "№ " pasted into the field (which keeps 32 767), then one more
// character typed after them.
void BM_LongPaste(benchmark::State &state)
{
    openOn(state);
    state.SetLabel(sizes[state.range(0)].name);
    auto *field = searchWindow()->findChild<QLineEdit *>(u"edtFind"_s);
    const QString paste = QString(u"№ "_s).repeated(50000);
    std::vector<double> pasted;
    std::vector<double> typedAfter;
    for (auto _ : state) {
        field->clear();
        QCoreApplication::processEvents();
        QElapsedTimer timer;
        timer.start();
        field->setText(paste);
        QCoreApplication::processEvents();
        searchWindow()->repaint();
        pasted.push_back(double(timer.nsecsElapsed()) / 1e6);
        timer.start();
        field->setText(field->text().chopped(1) + u'1');
        QCoreApplication::processEvents();
        searchWindow()->repaint();
        typedAfter.push_back(double(timer.nsecsElapsed()) / 1e6);
    }
    field->clear();
    state.counters["paste_median_ms"] = median(pasted);
    state.counters["next_key_median_ms"] = median(typedAfter);
}
BENCHMARK(BM_LongPaste)->DenseRange(0, 1)->Iterations(3)->Unit(benchmark::kMillisecond);

// Closing and opening again with the last words, which are searched afresh.
void BM_Reopen(benchmark::State &state)
{
    openOn(state);
    state.SetLabel(sizes[state.range(0)].name);
    searchWindow()->findChild<QLineEdit *>(u"edtFind"_s)->setText(u"копчёный"_s);
    std::vector<double> times;
    for (auto _ : state) {
        searchWindow()->close();
        QCoreApplication::processEvents();
        times.push_back(openMilliseconds());
    }
    state.counters["open_median_ms"] = median(times);
}
BENCHMARK(BM_Reopen)->DenseRange(0, 1)->Iterations(50)->Unit(benchmark::kMillisecond);

// The search alone, from scratch, for words that find most, some, one and nothing.
const QStringList words{u"о"_s, u"копчёный"_s, u"молоко 3.2"_s, u"шоколад особый 1023"_s, u"щщщ"_s};

void BM_SearchOnly(benchmark::State &state)
{
    if (started != int(state.range(0)))
        startProgram(int(state.range(0)));
    const QString &text = words[int(state.range(1))];
    ProductSearch search(catalogue.get());
    search.setText(text);
    for (auto _ : state) {
        search.refresh();
        benchmark::DoNotOptimize(search.count());
    }
    state.SetLabel(std::string(sizes[state.range(0)].name) + ' ' + text.toStdString());
    state.counters["found"] = search.count();
}
BENCHMARK(BM_SearchOnly)->ArgsProduct({{0, 1}, {0, 1, 2, 3, 4}})->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    EdokladApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;

    for (size_t i = 0; i < std::size(sizes); ++i) {
        catalogueDirs[i] = std::make_unique<QTemporaryDir>();
        qint64 bytes = 0;
        LargestCatalogue::write(catalogueDirs[i]->path(), &bytes, sizes[i].categories, sizes[i].products);
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    mainWindow.reset();
    catalogue.reset();
    return 0;
}
