#include "ration/RationModel.h"

#include "UserError.h"
#include "Numbers.h"

#include <cfloat>
#include <cmath>

using namespace Qt::StringLiterals;

namespace {

const QString &valueText(const ProductRecord &values, size_t t)
{
    switch (t) {
    case 0:
        return values.Belki;
    case 1:
        return values.Giri;
    case 2:
        return values.Uglev;
    default:
        return values.Kal;
    }
}

bool fitsFloat(long double x)
{
    return std::fabs(x) <= static_cast<long double>(FLT_MAX); // false for NaN too
}

} // namespace

UserError RationModel::outOfRangeError(const QString &text)
{
    return UserError(u"Значение вне допустимого диапазона: "_s + text);
}

UserError RationModel::capacityWarning()
{
    return UserError(u"Рацион не может содержать более 1024 продуктов"_s, UserError::Kind::Warning);
}

RationModel::RationModel(QChar decimalSeparator, QObject *parent)
    : QAbstractListModel(parent)
    , m_separator(decimalSeparator)
{
}

int RationModel::rowCount(const QModelIndex &parent) const
{
    if (parent.isValid())
        return 0;
    return m_rows.isEmpty() ? 1 : int(m_rows.size());
}

QVariant RationModel::data(const QModelIndex &index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return {};
    if (role == Qt::DisplayRole)
        return rowText(index.row());
    return {};
}

QString RationModel::rowText(int i) const
{
    if (i < 0 || i >= m_rows.size())
        return {};
    const RationRow &row = m_rows[i];
    return row.name + u" = "_s + row.grams;
}

QString RationModel::name(int i) const
{
    return i >= 0 && i < m_rows.size() ? m_rows[i].name : QString();
}

QString RationModel::grams(int i) const
{
    return i >= 0 && i < m_rows.size() ? m_rows[i].grams : QString();
}

ProductRecord RationModel::RationTable(int i) const
{
    return i >= 0 && i < m_rows.size() ? m_rows[i].values : ProductRecord();
}

RationModel::Numbers RationModel::parseValues(const ProductRecord &values)
{
    return {StrToFloat(values.Belki), StrToFloat(values.Giri), StrToFloat(values.Uglev),
            StrToFloat(values.Kal)};
}

RationModel::Parts RationModel::partsOf(const QList<RationRow> &rows, const QList<RowNumbers> &numbers)
{
    Parts parts;
    for (qsizetype r = 0; r < rows.size(); ++r)
        parts.add(rows[r], numbers[r]);
    return parts;
}

void RationModel::Parts::add(const RationRow &row, const RowNumbers &numbers)
{
    // The positive and the negative contributions are each kept within single precision, so the
    // totals stay finite whichever rows are later removed.
    const long double factor = numbers.grams * 0.01L;
    for (size_t t = 0; t < numbers.values.size(); ++t) {
        const long double contribution = factor * numbers.values[t];
        if (!fitsFloat(contribution))
            throw RationModel::outOfRangeError(valueText(row.values, t));
        (contribution < 0 ? negative : positive)[t] += contribution;
        if (!fitsFloat(positive[t]) || !fitsFloat(negative[t]))
            throw RationModel::outOfRangeError(valueText(row.values, t));
    }
}

void RationModel::append(const QString &name, int grams, const ProductRecord &values)
{
    if (m_rows.size() >= Capacity)
        throw capacityWarning();
    // May throw, like the check of the totals: nothing is touched before both.
    const RowNumbers numbers{static_cast<long double>(grams), parseValues(values)};
    RationRow row{name, QString::number(grams), values};
    partsOf(m_rows, m_numbers).add(row, numbers);

    row.values.Name.clear();
    if (m_rows.isEmpty()) {
        // The empty ration already shows row 0: it is filled, not inserted.
        m_rows.append(row);
        m_numbers.append(numbers);
        const QModelIndex first = index(0);
        emit dataChanged(first, first, {Qt::DisplayRole});
    } else {
        const int at = int(m_rows.size());
        beginInsertRows(QModelIndex(), at, at);
        m_rows.append(row);
        m_numbers.append(numbers);
        endInsertRows();
    }
    recomputeTotals();
}

void RationModel::remove(int row)
{
    if (row < 0 || row >= m_rows.size())
        return;
    if (m_rows.size() == 1) {
        // The last row stays on screen, now empty.
        m_rows.clear();
        m_numbers.clear();
        const QModelIndex first = index(0);
        emit dataChanged(first, first, {Qt::DisplayRole});
    } else {
        beginRemoveRows(QModelIndex(), row, row);
        m_rows.removeAt(row);
        m_numbers.removeAt(row);
        endRemoveRows();
    }
    recomputeTotals();
}

void RationModel::clear()
{
    if (m_rows.isEmpty())
        return;
    if (m_rows.size() > 1) {
        beginRemoveRows(QModelIndex(), 1, int(m_rows.size()) - 1);
        m_rows.resize(1);
        m_numbers.resize(1);
        endRemoveRows();
    }
    remove(0);
}

void RationModel::replace(const QList<RationRow> &rows)
{
    if (rows.size() > Capacity)
        throw capacityWarning();
    QList<RowNumbers> numbers;
    numbers.reserve(rows.size());
    for (const RationRow &row : rows) {
        const Numbers values = parseValues(row.values); // may throw: nothing touched yet
        numbers.append({StrToFloat(row.grams), values});
    }
    partsOf(rows, numbers); // may throw as well

    beginResetModel();
    m_rows = rows;
    for (RationRow &row : m_rows)
        row.values.Name.clear();
    m_numbers = std::move(numbers);
    endResetModel();
    recomputeTotals();
}

void RationModel::recomputeTotals()
{
    // Each row contributes grams * 0.01 * value, summed from every row again in long double and
    // shown in single precision. Not exact: each step rounds to long double (a 64-bit mantissa on
    // x86-64), far finer than the float shown for any real ration; rows removed leave no rounding.
    std::array<long double, 4> sums{};
    for (const RowNumbers &row : m_numbers) {
        const long double factor = row.grams * 0.01L;
        for (size_t t = 0; t < sums.size(); ++t)
            sums[t] += factor * row.values[t];
    }
    for (size_t t = 0; t < sums.size(); ++t)
        m_totals[t] = static_cast<float>(sums[t]);
    emit totalsChanged();
}

QString RationModel::totalText(Total t) const
{
    if (m_rows.isEmpty())
        return u"0"_s;
    const float value = m_totals[size_t(t)];
    return t == Total::Kal ? FormatKcal(value) : FormatGramTotal(value, m_separator);
}
