#pragma once

#include <QString>
#include <functional>

// Where a picker hands its picks: called for the r-th selected cell in cell
// order with the cell's odds text as shown and the pair's two numbers as plain
// digits. The distribution window's sink writes them into row r.
using PickSink =
    std::function<void(int row, const QString& odds, const QString& first, const QString& second)>;
