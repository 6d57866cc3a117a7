#pragma once

#include <QString>
#include <QStringList>
#include <functional>

// Where a picker hands its picks: called for the r-th selected cell in cell
// order with the cell's odds text as shown and the pair's two numbers as plain
// digits. The distribution window's sink writes them into row r.
using PickSink =
    std::function<void(int row, const QString& odds, const QString& first, const QString& second)>;

// What a picker's bottom line says about the cells picked so far, given their
// odds texts as shown, in cell order; an empty text leaves the line's own
// caption. The distribution window gives the count and the composite odds.
using PickSummary = std::function<QString(const QStringList& pickedOdds)>;
