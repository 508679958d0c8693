// A print job and a PDF file of a full ration (1024 rows, 19 pages): from the command until the
// spooler has accepted the document, and until the file is committed. The spooler here keeps
// the document in memory and answers at once, so the figure is the program's own share.
#include "printing/DefaultPrinter.h"
#include "printing/PdfFileCommand.h"
#include "printing/PrintJob.h"

#include <QApplication>
#include <QEventLoop>
#include <QPageLayout>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

using namespace Qt::StringLiterals;

namespace {

RationPrintout fullRation()
{
    RationPrintout printout{{}, u"1234,5"_s, u"567,8"_s, u"9012,3"_s, u"45678"_s, u"10.12.2026"_s, {}};
    for (int i = 0; i < 1024; ++i)
        printout.rows << u"Продукт номер %1 = %2"_s.arg(i).arg(50 + i % 300);
    return printout;
}

class MemorySpooler : public Spooler
{
public:
    std::optional<Printer> defaultPrinter() override
    {
        return Printer{u"Принтер"_s, QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                                 QMarginsF(4, 4, 4, 4), QPageLayout::Millimeter)};
    }
    int createHeldJob(const Printer &) override { return 1; }
    bool sendDocument(const Printer &, int, const QByteArray &pdf) override
    {
        benchmark::DoNotOptimize(pdf.size());
        return true;
    }
    bool release(const Printer &, int) override { return true; }
    bool cancel(int) override { return true; }
    QList<HeldJob> heldJobs() override { return {}; }
    QString lastError() const override { return {}; }
    bool unreachable() const override { return false; }
};

void BM_PrintJob1024Rows(benchmark::State &state)
{
    const RationPrintout printout = fullRation();
    for (auto _ : state) {
        PrintJob job(std::make_unique<MemorySpooler>(), printout);
        QEventLoop loop;
        bool printed = false;
        QObject::connect(&job, &PrintJob::printed, &loop, [&] {
            printed = true;
            loop.quit();
        });
        QObject::connect(&job, &PrintJob::failed, &loop, &QEventLoop::quit);
        job.start();
        loop.exec();
        if (!printed)
            state.SkipWithError("the job failed");
    }
}
BENCHMARK(BM_PrintJob1024Rows)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_PdfFile1024Rows(benchmark::State &state)
{
    const RationPrintout printout = fullRation();
    QTemporaryDir dir;
    const QString path = dir.filePath(u"day.pdf"_s);
    for (auto _ : state) {
        if (!PdfFileCommand::write(path, printout))
            state.SkipWithError("the file was not written");
    }
}
BENCHMARK(BM_PdfFile1024Rows)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
