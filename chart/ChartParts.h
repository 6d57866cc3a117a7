#pragma once

// What the chart module's charts share (inside the module only, which links
// Qt Charts).

#include <QCategoryAxis>
#include <QChart>
#include <QChartView>
#include <QStringList>

// A chart view drawn smooth, without animation, with thin margins and square
// corners.
void PrepareChartView(QChartView* view);

// Removes every series and axis of the chart, to draw it anew.
void ClearChart(QChart* chart);

// The points 0 .. n - 1 along the bottom, level, each at its label; with more
// than maxLabels labels only every step-th is named, so that the names stay whole.
QCategoryAxis* PointAxis(const QStringList& labels, int maxLabels);

// Adds the two axes to the chart and attaches every series to both.
void AttachAxes(QChart* chart, QAbstractAxis* xAxis, QAbstractAxis* yAxis);
