// The most the catalogue loader takes: 254 category files just under its size limit, each of 1023
// lines at its line limit. Loading them and the memory they take, and the actions that draw the
// longest name it lets through: the product grid, the mass dialog, the removal menu, and a warning
// naming the longest path.
#include "EdokladApplication.h"
#include "TfrmMain.h"
#include "TfrmWeight.h"
#include "messages/MessageBoxes.h"
#include "catalogue/Catalogue.h"
#include "catalogue/LoadCatalogue.h"
#include "catalogue/ReadCatalogueFile.h"
#include "popupmenu/TabcPopupMenu.h"
#include "popupmenu/TabcPopupMenuForm.h"
#include "ration/RationModel.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QMessageBox>
#include <QTableView>
#include <QTemporaryDir>
#include <QTimer>

#include <benchmark/benchmark.h>

#include <unistd.h>

#include <cstdio>
#include <memory>

using namespace Qt::StringLiterals;

namespace {

QTemporaryDir *workDir = nullptr;
qint64 catalogueBytes = 0;
QByteArray longestName;

// Every line at the line limit, as many as fit the file limit (at most the 1023 products read).
void generateCatalogue()
{
    const QDir files(workDir->filePath(u"files"_s));
    QDir().mkpath(files.path());
    QByteArray index;
    const QByteArray values = ";12,3;45,6;78,9;900";
    longestName = QByteArray(CatalogueLimits::MaxLineBytes - values.size(), '\xE6'); // "ж"
    for (int k = 1; k <= Catalogue::MaxCategories; ++k) {
        const QByteArray name = "c" + QByteArray::number(k) + ".txt";
        index += name + "\r\n";
        QByteArray text = QByteArray(CatalogueLimits::MaxLineBytes, '\xEA') + "\r\n";
        for (int r = 1; r <= Catalogue::MaxProducts
                        && text.size() + CatalogueLimits::MaxLineBytes + 2 <= CatalogueLimits::MaxFileBytes;
             ++r)
            text += longestName + values + "\r\n";
        QFile file(files.filePath(QString::fromLatin1(name)));
        if (!file.open(QIODevice::WriteOnly))
            qFatal("cannot write %s", qPrintable(file.fileName()));
        file.write(text);
        catalogueBytes += text.size();
    }
    QFile file(files.filePath(u"db.txt"_s));
    if (!file.open(QIODevice::WriteOnly))
        qFatal("cannot write the index");
    file.write(index);
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

void BM_LoadFullestCatalogue(benchmark::State &state)
{
    double added = 0;
    for (auto _ : state) {
        const double before = residentMegabytes();
        auto catalogue = std::make_unique<Catalogue>();
        const CatalogueLoadResult result = LoadCatalogue(*catalogue, QDir(workDir->path()));
        if (!result.messages.isEmpty() || catalogue->productLineCount(254) == 0)
            state.SkipWithError("catalogue did not load whole");
        added = std::max(added, residentMegabytes() - before);
        benchmark::DoNotOptimize(catalogue);
    }
    state.counters["rss_added_MB"] = added;
    state.counters["file_MB"] = double(catalogueBytes) / (1024.0 * 1024.0);
    state.SetBytesProcessed(state.iterations() * catalogueBytes);
}
BENCHMARK(BM_LoadFullestCatalogue)->Unit(benchmark::kMillisecond);

// The program's windows over that catalogue, shown as start-up shows them.
struct Program
{
    Catalogue catalogue;
    std::unique_ptr<TfrmMain> frmMain;

    [[nodiscard]] TfrmMain *main() const { return frmMain.get(); }

    Program()
    {
        QDir::setCurrent(workDir->path());
        frmMain = std::make_unique<TfrmMain>(catalogue);
        main()->show();
        main()->FormActivate();
        QCoreApplication::processEvents();
    }
};
Program *program = nullptr;

void BM_ProductGridPaint(benchmark::State &state)
{
    auto *grid = program->main()->findChild<QTableView *>(u"sgrProducts"_s);
    for (auto _ : state) {
        program->main()->FillProductGrid(1);
        grid->viewport()->repaint();
    }
    state.counters["name_chars"] = double(grid->model()->index(0, 0).data().toString().size());
}
BENCHMARK(BM_ProductGridPaint)->Unit(benchmark::kMillisecond);

void BM_MassDialogShow(benchmark::State &state)
{
    const QString name = program->main()->findChild<QTableView *>(u"sgrProducts"_s)->model()->index(0, 0).data().toString();
    TfrmWeight *dialog = program->main()->frmWeight();
    for (auto _ : state) {
        // Shown as the program shows it, painted, and cancelled.
        QTimer::singleShot(0, dialog, [dialog] {
            dialog->repaint();
            dialog->reject();
        });
        dialog->ask(name, ProductRecord{});
    }
}
BENCHMARK(BM_MassDialogShow)->Unit(benchmark::kMillisecond);

void BM_RemovalMenuShow(benchmark::State &state)
{
    RationModel *ration = program->main()->ration();
    if (ration->isEmpty())
        ration->append(program->catalogue.productName(1, 1), 20000, program->catalogue.Product(1, 1));
    auto *menu = program->main()->findChild<TabcPopupMenu *>(u"abcPopupMenu1"_s);
    auto *grid = program->main()->findChild<QTableView *>(u"sgrRacion"_s);
    grid->setCurrentIndex(grid->model()->index(0, 0));
    for (auto _ : state) {
        menu->Popup(10, 10);
        menu->form()->repaint();
        menu->closeMenu();
        QCoreApplication::processEvents();
    }
    state.counters["menu_width"] = menu->form() ? menu->form()->width() : 0;
}
BENCHMARK(BM_RemovalMenuShow)->Unit(benchmark::kMillisecond);

// A box as MessageBoxes shows it, opened and painted; its text the length given.
void BM_WarningShow(benchmark::State &state)
{
    const QString text = u"Ошибка окрытия файла files/"_s + QString(state.range(0), u'и') + u"\n"_s;
    for (auto _ : state) {
        QMessageBox box(QMessageBox::Warning, u"Warning"_s, text, QMessageBox::Ok);
        box.setTextFormat(Qt::PlainText);
        box.show();
        box.repaint();
        box.hide();
    }
}
BENCHMARK(BM_WarningShow)->Arg(CatalogueLimits::MaxLineBytes)->Arg(4096)->Arg(16384)->Arg(1 << 20)->Unit(benchmark::kMillisecond);

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
    workDir = &dir;
    generateCatalogue();
    MessageBoxes::setHook([](UserError::Kind, const QString &, const QString &) {});
    Program shown;
    program = &shown;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
