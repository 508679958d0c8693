#include "report/TfrmReport.h"

#include "files/FileDialog.h"
#include "messages/Guarded.h"
#include "messages/MessageBoxes.h"
#include "printing/PdfFileCommand.h"
#include "report/DayBarsChart.h"
#include "report/DayReport.h"
#include "report/ReportCsv.h"
#include "report/ReportTableModel.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLocale>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

TfrmReport::TfrmReport(QWidget *parent)
    : QDialog(parent)
{
    setObjectName(u"frmReport"_s);
    setWindowTitle(u"Отчёт за несколько дней"_s);
    setSizeGripEnabled(true);

    m_table = new ReportTableModel(QLocale::system().decimalPoint().at(0), this);
    grdReport = new QTableView(this);
    grdReport->setObjectName(u"grdReport"_s);
    grdReport->setAccessibleName(u"Дни"_s);
    grdReport->setModel(m_table);
    grdReport->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grdReport->setSelectionBehavior(QAbstractItemView::SelectRows);
    grdReport->setSelectionMode(QAbstractItemView::SingleSelection);
    grdReport->setWordWrap(false);
    grdReport->verticalHeader()->hide();
    grdReport->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    // The names take what the figures leave.
    grdReport->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    grdReport->horizontalHeader()->setMinimumSectionSize(60);
    // Enter on a row does what a double click does.
    connect(grdReport, &QAbstractItemView::activated, this, [this](const QModelIndex &index) {
        const int day = m_table->dayOfRow(index.row());
        if (day >= 0)
            emit dayChosen(m_table->report().days.at(day).path);
    });

    chrDays = new DayBarsChart(this);
    chrDays->setObjectName(u"chrDays"_s);

    const auto button = [this](const char *name, const QString &caption) {
        auto *b = new QPushButton(caption, this);
        b->setObjectName(QLatin1String(name));
        b->setAutoDefault(false);
        return b;
    };
    btnSaveCsv = button("btnSaveCsv", u"Сохранить в CSV..."_s);
    btnPrint = button("btnPrint", u"Печать"_s);
    btnSavePdf = button("btnSavePdf", u"Сохранить в PDF..."_s);
    btnClose = button("btnClose", u"Закрыть"_s);
    connect(btnSaveCsv, &QPushButton::clicked, this, guarded(this, &TfrmReport::btnSaveCsvClick));
    connect(btnPrint, &QPushButton::clicked, this, &TfrmReport::printRequested);
    connect(btnSavePdf, &QPushButton::clicked, this, guarded(this, &TfrmReport::btnSavePdfClick));
    connect(btnClose, &QPushButton::clicked, this, &QDialog::close);

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(btnSaveCsv);
    buttons->addWidget(btnPrint);
    buttons->addWidget(btnSavePdf);
    buttons->addStretch();
    buttons->addWidget(btnClose);
    auto *column = new QVBoxLayout(this);
    column->addWidget(grdReport, 3);
    column->addWidget(chrDays, 2);
    column->addLayout(buttons);
    resize(620, 520);
}

void TfrmReport::showReport(const DayReport &report, const DailyNorm &norm)
{
    m_norm = norm;
    m_table->setReport(report, norm);
    grdReport->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
    grdReport->clearSpans();
    // The days as the table holds them (in their order).
    const QList<ReportDay> &days = m_table->report().days;
    QList<DayBarsChart::Bar> bars;
    const int kcalColumn = 4; // "кКалорий", after the name and the three grams
    for (int row = 0; row < m_table->rowCount(); ++row) {
        const int day = m_table->dayOfRow(row);
        if (day < 0)
            continue;
        if (!days.at(day).isRead()) {
            // The reason over the figure columns, so that it does not widen the first of them.
            grdReport->setSpan(row, 1, 1, m_table->columnCount() - 1);
            continue;
        }
        const ReportDay &d = days.at(day);
        bars.append({d.name, double(d.totals[DailyNorm::Kal]), m_table->index(row, kcalColumn).data().toString()});
    }
    chrDays->setBars(bars, norm[DailyNorm::Kal]);
}

void TfrmReport::setNorm(const DailyNorm &norm)
{
    showReport(DayReport(m_table->report()), norm);
}

ReportPrintout TfrmReport::printout() const
{
    return PrintoutFromReport(*m_table, m_norm);
}

FileDialog *TfrmReport::dlgSaveCsv()
{
    if (!m_dlgSaveCsv)
        m_dlgSaveCsv = FileDialog::csvSaver(this);
    return m_dlgSaveCsv;
}

FileDialog *TfrmReport::dlgSavePdf()
{
    if (!m_dlgSavePdf)
        m_dlgSavePdf = FileDialog::pdfSaver(this);
    return m_dlgSavePdf;
}

void TfrmReport::btnSaveCsvClick()
{
    const QString path = dlgSaveCsv()->choose();
    if (!path.isEmpty() && !WriteCsvFile(path, ReportCsv(m_table->report(), m_norm)))
        MessageBoxes::show(UserError::Kind::Warning, u"Ошибка записи файла "_s + path + u"\n"_s);
}

void TfrmReport::btnSavePdfClick()
{
    const QString path = dlgSavePdf()->choose();
    if (!path.isEmpty())
        PdfFileCommand::saveReport(path, printout());
}
