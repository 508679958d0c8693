#pragma once

#include "ration/RationRow.h"

#include <QList>

#include <array>

// A row's grams and four values as numbers, parsed once when the row came in.
struct RationRowNumbers
{
    long double grams = 0;
    std::array<long double, 4> values{};
};

// Consecutive rows of the ration with their numbers.
struct RationRows
{
    QList<RationRow> rows;
    QList<RationRowNumbers> numbers; // same order
};

// One change of the ration: the rows `before`, from row `at`, were replaced by the rows `after`.
// Undo puts `before` back in place of `after`; redo does the opposite. Only the rows a change
// touched are kept (a clear keeps the list it took away, shared, not copied).
struct RationStep
{
    enum class Kind { Add, Remove, Clear, ChangeMass };
    Kind kind = Kind::Add;
    int at = 0;
    RationRows before;
    RationRows after;
};
