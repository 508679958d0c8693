#include "report/DayReport.h"

#include "UserError.h"
#include "ration/RationModel.h"
#include "rationfile/RationFile.h"
#include "rationfile/RationFromFile.h"

#include <QFileInfo>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

bool isDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

// The run of digits, or of anything else, that starts at i.
QStringView runAt(const QString &s, qsizetype i)
{
    const bool digits = isDigit(s[i]);
    qsizetype end = i + 1;
    while (end < s.size() && isDigit(s[end]) == digits)
        ++end;
    return QStringView(s).sliced(i, end - i);
}

// Digit runs by their value, however many leading zeros they carry: "007" and "7" tie here.
int compareNumbers(QStringView a, QStringView b)
{
    const auto significant = [](QStringView d) {
        qsizetype zeros = 0;
        while (zeros + 1 < d.size() && d[zeros] == u'0')
            ++zeros;
        return d.sliced(zeros);
    };
    a = significant(a);
    b = significant(b);
    if (a.size() != b.size())
        return a.size() < b.size() ? -1 : 1;
    return a.compare(b); // digits alone: code order is numeric order
}

// Open's reading of one file; the day keeps the message Open would show in place of its rows.
ReportDay readDay(const QString &path)
{
    ReportDay day;
    day.path = path;
    day.name = DayName(path);

    const std::optional<ParsedRationFile> file = ReadRationFile(path, RationModel::Capacity);
    if (!file) {
        day.refusal = u"Ошибка окрытия файла "_s + path + u"\n"_s;
        return day;
    }
    try {
        QList<RationRow> rows = RationRowsFromFile(*file);
        // The ration's own checks and sums, so the figures are the ones Open would show.
        day.totals = RationModel::totalsOf(rows);
        day.rows = std::move(rows);
    } catch (const UserError &e) {
        day.refusal = e.message();
    }
    return day;
}

} // namespace

int DayReport::readDays() const
{
    return int(std::count_if(days.cbegin(), days.cend(), [](const ReportDay &d) { return d.isRead(); }));
}

std::array<long double, 4> DayReport::sum() const
{
    std::array<long double, 4> sums{};
    for (const ReportDay &day : days) {
        if (!day.isRead())
            continue;
        for (size_t t = 0; t < sums.size(); ++t)
            sums[t] += day.totals[t];
    }
    return sums;
}

std::array<long double, 4> DayReport::mean() const
{
    std::array<long double, 4> means = sum();
    if (const int n = readDays(); n > 0) {
        for (long double &m : means)
            m /= n;
    }
    return means;
}

QString DayName(const QString &path)
{
    if (path.isEmpty())
        return u"Рацион"_s;
    QString name = QFileInfo(path).fileName();
    if (name.endsWith(u".edk"_s, Qt::CaseInsensitive))
        name.chop(4);
    return name;
}

bool NaturalNameLess(const QString &a, const QString &b)
{
    qsizetype i = 0;
    qsizetype j = 0;
    while (i < a.size() && j < b.size()) {
        const QStringView ra = runAt(a, i);
        const QStringView rb = runAt(b, j);
        const bool numbers = isDigit(ra[0]) && isDigit(rb[0]);
        const int order = numbers ? compareNumbers(ra, rb) : ra.compare(rb, Qt::CaseInsensitive);
        if (order != 0)
            return order < 0;
        i += ra.size();
        j += rb.size();
    }
    if (i < a.size() || j < b.size())
        return i == a.size(); // a prefix first
    // Equal but for case or leading zeros: still one fixed order.
    return a < b;
}

DayReport ReadDayReport(const QStringList &paths)
{
    if (paths.size() > DayReport::MaxDays)
        throw UserError(u"Отчёт может включать не более 366 рационов"_s, UserError::Kind::Warning);
    DayReport report;
    report.days.resize(paths.size());
    for (qsizetype i = 0; i < paths.size(); ++i)
        report.days[i] = readDay(paths[i]);
    std::stable_sort(report.days.begin(), report.days.end(),
                     [](const ReportDay &x, const ReportDay &y) { return NaturalNameLess(x.name, y.name); });
    return report;
}
