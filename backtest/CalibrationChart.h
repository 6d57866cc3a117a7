#pragma once

#include <QString>

#include "backtest/Backtest.h"

class QWidget;

// The reliability table as a chart, predicted against actual win rate with the
// diagonal, drawn by the chart module (zem-chart), which is loaded with the
// first chart made. Should the module be missing, a label saying so stands in
// the chart's place.
QWidget* MakeCalibrationChart(QWidget* parent, const QString& objectName);
void ShowCalibration(QWidget* chart, const BacktestAnalysis& analysis);
