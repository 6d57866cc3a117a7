#pragma once

#include <QString>
#include <QStringList>
#include <vector>

#include "chart/LineChart.h"

class QWidget;

// The trend window's chart: the lines of the chart module (loaded on first
// use, as the settlement's chart is). Should the module be missing, a label
// saying so stands in its place.
QWidget* MakeTrendChart(QWidget* parent, const QString& objectName);
// logScale: the odds axis in powers of ten.
void ShowTrendLines(QWidget* chart, const QStringList& points, const std::vector<ChartLine>& lines,
                    const QString& emptyNote, bool logScale);
