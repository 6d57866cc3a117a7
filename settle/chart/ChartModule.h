#pragma once

#include <QString>
#include <vector>

#include "settle/BalanceChart.h"

// The entry points of the chart module (zem-chart), a library of its own
// that links Qt Charts and is loaded on first use.

inline constexpr char ChartModuleName[] = "zem-chart";
inline constexpr char MakeBalanceChartSymbol[] = "zemMakeBalanceChart";
inline constexpr char ShowBalanceSymbol[] = "zemShowBalance";

using MakeBalanceChartFn = QWidget* (*)(QWidget* parent, const QString& objectName);
using ShowBalanceFn = void (*)(QWidget* chart, const std::vector<BalancePoint>& points,
                               const QString& emptyNote);
