// Finding a product in the largest catalogue the capacities allow (254 x 1023 products): each
// keystroke's update of the search window (search, list and paint), opening the window, the
// memory it adds, and the search alone for a few kinds of words.
#include "AppWindows.h"
#include "EdokladApplication.h"
#include "LargestCatalogue.h"
#include "ResidentMemory.h"
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

#include <algorithm>
#include <memory>
#include <vector>

using namespace Qt::StringLiterals;

namespace {

QTemporaryDir *catalogueDir = nullptr;
std::unique_ptr<Catalogue> catalogue;
std::unique_ptr<AppWindows> windows;

// The program as a user has it: the catalogue loaded, the main window shown; no search yet.
void startProgram()
{
    QDir::setCurrent(catalogueDir->path());
    catalogue = std::make_unique<Catalogue>();
    windows = std::make_unique<AppWindows>(AppWindows::create(*catalogue));
    windows->main->show();
    while (catalogue->categoryCount() == 0)
        QCoreApplication::processEvents();
    QCoreApplication::processEvents();
    windows->main->repaint();
}

TfrmSearch *searchWindow()
{
    return windows->main->findChild<TfrmSearch *>(u"frmSearch"_s);
}

// Ctrl+F's menu item until the window has painted.
double openMilliseconds()
{
    QElapsedTimer timer;
    timer.start();
    windows->main->findChild<QAction *>(u"mnuCatalogueFind"_s)->trigger();
    QCoreApplication::processEvents();
    searchWindow()->repaint();
    return double(timer.nsecsElapsed()) / 1e6;
}

// Typing each text in turn, then erasing it a character at a time: the field's text set as a
// keystroke sets it, until the window has painted the new list.
std::vector<double> typeAndErase(const QStringList &texts)
{
    TfrmSearch *window = searchWindow();
    auto *field = window->findChild<QLineEdit *>(u"edtFind"_s);
    std::vector<double> times;
    QElapsedTimer timer;
    auto step = [&](const QString &text) {
        timer.start();
        field->setText(text);
        QCoreApplication::processEvents();
        window->repaint();
        times.push_back(double(timer.nsecsElapsed()) / 1e6);
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
        if (searchWindow()) {
            state.SkipWithError("run this first (--benchmark_filter=OpenAndType alone)");
            return;
        }
        const double before = residentMegabytes();
        state.counters["first_open_ms"] = openMilliseconds();
        std::vector<double> times;
        for (int run = 0; run < 5; ++run) {
            const std::vector<double> more = typeAndErase(typed);
            times.insert(times.end(), more.begin(), more.end());
        }
        state.counters["rss_added_MB"] = residentMegabytes() - before;
        state.counters["keystrokes"] = double(times.size());
        state.counters["keystroke_median_ms"] = median(times);
        state.counters["keystroke_max_ms"] = *std::max_element(times.begin(), times.end());
        // The one-letter word finds the most: its keystroke alone.
        searchWindow()->findChild<QLineEdit *>(u"edtFind"_s)->clear();
        std::vector<double> oneLetter;
        for (int run = 0; run < 21; ++run) {
            const std::vector<double> more = typeAndErase({u"о"_s});
            oneLetter.push_back(more.front());
        }
        state.counters["one_letter_median_ms"] = median(oneLetter);
        state.counters["found_by_one_letter"] = [] {
            auto *field = searchWindow()->findChild<QLineEdit *>(u"edtFind"_s);
            field->setText(u"о"_s);
            const int rows = searchWindow()->findChild<QListView *>(u"lstFound"_s)->model()->rowCount();
            field->clear();
            return double(rows);
        }();
    }
}
BENCHMARK(BM_OpenAndType)->Iterations(1)->Unit(benchmark::kMillisecond);

// Closing and opening again with the last words, which are searched afresh.
void BM_Reopen(benchmark::State &state)
{
    if (!searchWindow())
        openMilliseconds();
    searchWindow()->findChild<QLineEdit *>(u"edtFind"_s)->setText(u"копчёный"_s);
    std::vector<double> times;
    for (auto _ : state) {
        searchWindow()->close();
        QCoreApplication::processEvents();
        times.push_back(openMilliseconds());
    }
    state.counters["open_median_ms"] = median(times);
}
BENCHMARK(BM_Reopen)->Iterations(50)->Unit(benchmark::kMillisecond);

// The search alone, from scratch, for words that find most, some, one and nothing.
const QStringList words{u"о"_s, u"копчёный"_s, u"молоко 3.2"_s, u"шоколад особый 1023"_s, u"щщщ"_s};

void BM_SearchOnly(benchmark::State &state)
{
    ProductSearch search(catalogue.get());
    search.setText(words[int(state.range(0))]);
    for (auto _ : state) {
        search.refresh();
        benchmark::DoNotOptimize(search.count());
    }
    state.SetLabel(words[int(state.range(0))].toStdString());
    state.counters["found"] = search.count();
}
BENCHMARK(BM_SearchOnly)->DenseRange(0, 4)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    EdokladApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;

    QTemporaryDir dir;
    catalogueDir = &dir;
    qint64 bytes = 0;
    LargestCatalogue::write(dir.path(), &bytes);
    startProgram();
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    windows.reset();
    catalogue.reset();
    return 0;
}
