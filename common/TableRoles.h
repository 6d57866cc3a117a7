#pragma once

#include <Qt>

// What the core's table models say about a cell beyond its text, as item
// roles holding a bool; the windows paint it (TableLook), so that the models
// need no fonts or brushes.
inline constexpr int NegativeRole = Qt::UserRole + 1;   // an amount below zero
inline constexpr int TotalRole = Qt::UserRole + 2;      // a total or subtotal line
inline constexpr int HighlightRole = Qt::UserRole + 3;  // a line that stands out (a hit)
