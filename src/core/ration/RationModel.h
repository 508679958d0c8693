#pragma once

#include "UserError.h"
#include "catalogue/ProductRecord.h"
#include "ration/RationHistory.h"
#include "ration/RationRow.h"

#include <QAbstractListModel>
#include <QList>
#include <QString>

#include <array>

// The ration list shown by the grid sgrRacion, with its RationTable and its four totals.
// Totals are recomputed from all rows after every change, so no rounding is carried
// from one change to the next; a change that would fail leaves everything as it was.
// Each change the user makes (append, remove, clear, a new mass) goes into the history, which
// undo and redo walk; replace, which is how a file comes in, starts a new history.
class RationModel : public QAbstractListModel
{
    Q_OBJECT

public:
    static constexpr int Capacity = 1024;
    // The warning for a ration that would grow beyond Capacity.
    [[nodiscard]] static UserError capacityWarning();
    // The error for a value whose contribution a total cannot carry.
    [[nodiscard]] static UserError outOfRangeError(const QString &text);

    enum class Total { Belki, Giri, Uglev, Kal };

    explicit RationModel(QChar decimalSeparator, QObject *parent = nullptr);

    // The empty ration shows one empty row.
    [[nodiscard]] int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    [[nodiscard]] QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;

    [[nodiscard]] int count() const { return int(m_rows.size()); }
    [[nodiscard]] bool isEmpty() const { return m_rows.isEmpty(); }

    // name + " = " + grams; empty outside 0..count()-1.
    [[nodiscard]] QString rowText(int i) const;
    [[nodiscard]] QString name(int i) const;
    [[nodiscard]] QString grams(int i) const;
    // All rows, top to bottom, each with its values' Name empty.
    [[nodiscard]] const QList<RationRow> &rows() const { return m_rows; }
    // The values of row i with an empty Name; an empty record outside the rows.
    [[nodiscard]] ProductRecord RationTable(int i) const;

    // Throws UserError (Error) for a value or grams text that is not a number or whose
    // contribution would take a total out of single precision, (Warning) when full; nothing
    // changes then.
    void append(const QString &name, int grams, const ProductRecord &values);
    void remove(int row);
    void clear();
    // Row `row` now weighs `grams`: name, values and place stay. Throws as append does.
    void setMass(int row, int grams);
    // Replaces all rows at once, checked the same way as append.
    void replace(const QList<RationRow> &rows);
    // The totals replace would give these rows, with the same checks and the same errors, without
    // making a ration of them.
    [[nodiscard]] static std::array<float, 4> totalsOf(const QList<RationRow> &rows);

    [[nodiscard]] const RationHistory &history() const { return m_history; }
    // Take back the last change, or do again the last one taken back; nothing when there is none.
    void undo();
    void redo();

    // Gram totals with one decimal, energy as a whole number; "0" for the empty ration.
    [[nodiscard]] QString totalText(Total t) const;
    // The total as it is shown, before formatting; 0 for the empty ration.
    [[nodiscard]] float total(Total t) const { return m_rows.isEmpty() ? 0.0f : m_totals[size_t(t)]; }

signals:
    void totalsChanged();

private:
    using Numbers = std::array<long double, 4>;
    using RowNumbers = RationRowNumbers;

    // The sums of the positive and of the negative contributions to each total.
    struct Parts
    {
        Numbers positive{};
        Numbers negative{};
        // Throws UserError naming the value text that takes a sum out of range.
        void add(const RationRow &row, const RowNumbers &numbers);
    };

    [[nodiscard]] static Numbers parseValues(const ProductRecord &values);
    static Parts partsOf(const QList<RationRow> &rows, const QList<RowNumbers> &numbers);
    // The numbers of rows that replace may take; throws otherwise.
    [[nodiscard]] static QList<RowNumbers> checkedNumbers(const QList<RationRow> &rows);
    [[nodiscard]] static std::array<float, 4> sumsOf(const QList<RowNumbers> &numbers);
    void recomputeTotals();
    // Replaces `count` rows from `at` with `rows`, telling the views; checks nothing.
    void splice(int at, int count, const RationRows &rows);
    void takeRows(int at, int count);
    void putRows(int at, const RationRows &rows);
    void doStep(RationStep step);

    QChar m_separator;
    QList<RationRow> m_rows;
    QList<RowNumbers> m_numbers; // parsed grams and values of m_rows, same order
    std::array<float, 4> m_totals{};
    RationHistory m_history;
};
