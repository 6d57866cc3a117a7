#pragma once

#include <QColor>
#include <QString>
#include <QStringList>
#include <vector>

#include "chart/BalanceChart.h"

// The entry points of the chart module (zem-chart), a library of its own
// that links Qt Charts and is loaded on first use.

inline constexpr char ChartModuleName[] = "zem-chart";
inline constexpr char MakeBalanceChartSymbol[] = "zemMakeBalanceChart";
inline constexpr char ShowBalanceSymbol[] = "zemShowBalance";

using MakeBalanceChartFn = QWidget* (*)(QWidget* parent, const QString& objectName);
using ShowBalanceFn = void (*)(QWidget* chart, const std::vector<BalancePoint>& points,
                               const QString& emptyNote);

// Bars: one group per category, one bar per set in each group.
inline constexpr char MakeBarChartSymbol[] = "zemMakeBarChart";
inline constexpr char ShowBarsSymbol[] = "zemShowBars";

struct BarSet {
    QString name;  // shown in the legend
    QColor colour;
    std::vector<double> values;  // one per category
};

using MakeBarChartFn = QWidget* (*)(QWidget* parent, const QString& objectName);
using ShowBarsFn = void (*)(QWidget* chart, const QStringList& categories,
                            const std::vector<BarSet>& sets, const QString& valueTitle);

// Calibration: predicted against actual (both in percent), one point per band,
// joined by a line, with the diagonal where the two agree.
inline constexpr char MakeCalibrationChartSymbol[] = "zemMakeCalibrationChart";
inline constexpr char ShowCalibrationSymbol[] = "zemShowCalibration";

struct CalibrationPoint {
    double predicted = 0;  // percent
    double actual = 0;     // percent
};

using MakeCalibrationChartFn = QWidget* (*)(QWidget* parent, const QString& objectName);
using ShowCalibrationFn = void (*)(QWidget* chart, const std::vector<CalibrationPoint>& points,
                                   const QString& emptyNote);
