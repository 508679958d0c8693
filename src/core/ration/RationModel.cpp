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
    doStep({RationStep::Kind::Add, int(m_rows.size()), {}, {{row}, {numbers}}});
}

void RationModel::remove(int row)
{
    if (row < 0 || row >= m_rows.size())
        return;
    doStep({RationStep::Kind::Remove, row, {{m_rows[row]}, {m_numbers[row]}}, {}});
}

void RationModel::clear()
{
    if (m_rows.isEmpty())
        return;
    // The step shares the lists: a clear costs no copy of the rows.
    doStep({RationStep::Kind::Clear, 0, {m_rows, m_numbers}, {}});
}

void RationModel::setMass(int row, int grams)
{
    if (row < 0 || row >= m_rows.size())
        return;
    RationRow changed = m_rows[row];
    changed.grams = QString::number(grams);
    RowNumbers numbers = m_numbers[row];
    numbers.grams = grams;
    if (changed.grams == m_rows[row].grams)
        return; // the same mass: nothing to take back later
    // The totals without the row, then with it at its new mass: may throw, nothing touched yet.
    Parts parts;
    for (qsizetype r = 0; r < m_rows.size(); ++r) {
        if (r != row)
            parts.add(m_rows[r], m_numbers[r]);
    }
    parts.add(changed, numbers);

    doStep({RationStep::Kind::ChangeMass, row, {{m_rows[row]}, {m_numbers[row]}}, {{changed}, {numbers}}});
}

QList<RationModel::RowNumbers> RationModel::checkedNumbers(const QList<RationRow> &rows)
{
    if (rows.size() > Capacity)
        throw capacityWarning();
    QList<RowNumbers> numbers;
    numbers.reserve(rows.size());
    for (const RationRow &row : rows) {
        const Numbers values = parseValues(row.values);
        numbers.append({StrToFloat(row.grams), values});
    }
    partsOf(rows, numbers);
    return numbers;
}

std::array<float, 4> RationModel::totalsOf(const QList<RationRow> &rows)
{
    return sumsOf(checkedNumbers(rows));
}

void RationModel::replace(const QList<RationRow> &rows)
{
    QList<RowNumbers> numbers = checkedNumbers(rows); // may throw: nothing touched yet

    beginResetModel();
    m_rows = rows;
    for (RationRow &row : m_rows)
        row.values.Name.clear();
    m_numbers = std::move(numbers);
    endResetModel();
    // Another day's rows: undoing into them would mix two files.
    m_history.clear();
    recomputeTotals();
}

void RationModel::doStep(RationStep step)
{
    splice(step.at, int(step.before.rows.size()), step.after);
    m_history.push(std::move(step));
    recomputeTotals();
}

void RationModel::undo()
{
    if (!m_history.canUndo())
        return;
    const RationStep &step = m_history.undo();
    splice(step.at, int(step.after.rows.size()), step.before);
    recomputeTotals();
}

void RationModel::redo()
{
    if (!m_history.canRedo())
        return;
    const RationStep &step = m_history.redo();
    splice(step.at, int(step.before.rows.size()), step.after);
    recomputeTotals();
}

void RationModel::splice(int at, int count, const RationRows &rows)
{
    const int size = int(rows.rows.size());
    if (count != size) {
        takeRows(at, count);
        putRows(at, rows);
        return;
    }
    // As many rows in as out: a change in place, which keeps the view's current row.
    for (int i = 0; i < size; ++i) {
        m_rows[at + i] = rows.rows[i];
        m_numbers[at + i] = rows.numbers[i];
    }
    if (size > 0)
        emit dataChanged(index(at), index(at + size - 1), {Qt::DisplayRole});
}

void RationModel::takeRows(int at, int count)
{
    if (count <= 0)
        return;
    if (count < m_rows.size()) {
        beginRemoveRows(QModelIndex(), at, at + count - 1);
        m_rows.remove(at, count);
        m_numbers.remove(at, count);
        endRemoveRows();
        return;
    }
    // Every row goes; the first stays on screen, now empty.
    if (m_rows.size() > 1) {
        beginRemoveRows(QModelIndex(), 1, int(m_rows.size()) - 1);
        m_rows.resize(1);
        m_numbers.resize(1);
        endRemoveRows();
    }
    m_rows.clear();
    m_numbers.clear();
    const QModelIndex first = index(0);
    emit dataChanged(first, first, {Qt::DisplayRole});
}

void RationModel::putRows(int at, const RationRows &rows)
{
    if (rows.rows.isEmpty())
        return;
    if (m_rows.isEmpty()) {
        // The empty ration already shows row 0: it is filled, not inserted; the lists are then
        // taken whole, shared with the step that holds them.
        m_rows = rows.rows.first(1);
        m_numbers = rows.numbers.first(1);
        const QModelIndex first = index(0);
        emit dataChanged(first, first, {Qt::DisplayRole});
        if (rows.rows.size() > 1) {
            beginInsertRows(QModelIndex(), 1, int(rows.rows.size()) - 1);
            m_rows = rows.rows;
            m_numbers = rows.numbers;
            endInsertRows();
        }
        return;
    }
    beginInsertRows(QModelIndex(), at, at + int(rows.rows.size()) - 1);
    if (at == m_rows.size()) {
        m_rows.append(rows.rows);
        m_numbers.append(rows.numbers);
    } else {
        for (qsizetype i = 0; i < rows.rows.size(); ++i) {
            m_rows.insert(at + i, rows.rows[i]);
            m_numbers.insert(at + i, rows.numbers[i]);
        }
    }
    endInsertRows();
}

std::array<float, 4> RationModel::sumsOf(const QList<RowNumbers> &numbers)
{
    // Each row contributes grams * 0.01 * value, summed from every row again in long double and
    // shown in single precision. Not exact: each step rounds to long double (a 64-bit mantissa on
    // x86-64), far finer than the float shown for any real ration; rows removed leave no rounding.
    std::array<long double, 4> sums{};
    for (const RowNumbers &row : numbers) {
        const long double factor = row.grams * 0.01L;
        for (size_t t = 0; t < sums.size(); ++t)
            sums[t] += factor * row.values[t];
    }
    std::array<float, 4> totals{};
    for (size_t t = 0; t < sums.size(); ++t)
        totals[t] = static_cast<float>(sums[t]);
    return totals;
}

void RationModel::recomputeTotals()
{
    m_totals = sumsOf(m_numbers);
    emit totalsChanged();
}

QString RationModel::totalText(Total t) const
{
    if (m_rows.isEmpty())
        return u"0"_s;
    const float value = m_totals[size_t(t)];
    return t == Total::Kal ? FormatKcal(value) : FormatGramTotal(value, m_separator);
}
