#include "RationPage.h"

#include <QDate>
#include <QLocale>

using namespace Qt::StringLiterals;

namespace {
constexpr PrintFont Title{14, true, false, true};
constexpr PrintFont Heading{12, true, false, false};
constexpr PrintFont Row{11, false, false, false};
constexpr PrintFont Rule{12, false, false, false};
constexpr PrintFont Total{11, false, false, false};
constexpr PrintFont Energy{12, true, false, false};
constexpr PrintFont Date{10, false, true, false};
} // namespace

QList<PrintedText> RationPage(const RationPrintout &printout)
{
    const int n = int(printout.rows.size());
    // Everything below the list is placed from where the list ends.
    const int listEnd = 35 + n * LinePitch;

    QList<PrintedText> page;
    page.reserve(n + 10);
    page.append({u"Расчёт калорий"_s, Title, 10, 10});
    page.append({u"Рацион питания:"_s, Heading, 20, 25});
    for (int i = 1; i <= n; ++i)
        page.append({QString::number(i) + u") "_s + printout.rows.at(i - 1) + u" гр."_s, Row, 25,
                     35 + (i - 1) * LinePitch});
    page.append({QString(72, u'='), Rule, 5, listEnd + LinePitch});
    page.append({u"Общее содержание питательных веществ в рационе:"_s, Heading, 10, listEnd + 2 * LinePitch});
    page.append({u"Белки: "_s + printout.belki + u" гр."_s, Total, 20, listEnd + 3 * LinePitch});
    page.append({u"Жиры: "_s + printout.giri + u" гр."_s, Total, 20, listEnd + 4 * LinePitch});
    page.append({u"Углеводы: "_s + printout.uglev + u" гр."_s, Total, 20, listEnd + 5 * LinePitch});
    page.append({u"Общая калорийность: "_s + printout.kal + u" кКалорий"_s, Energy, 60, 5 + listEnd + 6 * LinePitch});
    const int normCount = int(printout.normLines.size());
    for (int i = 0; i < normCount; ++i)
        page.append({printout.normLines.at(i), Total, 20, 5 + listEnd + (7 + i) * LinePitch});
    page.append({u"Дата отчёта: "_s + printout.date, Date, 10, 10 + listEnd + (7 + normCount) * LinePitch});
    return page;
}

QString ReportDate()
{
    return QLocale::system().toString(QDate::currentDate(), QLocale::ShortFormat);
}
