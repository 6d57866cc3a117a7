#pragma once

#include <QString>
#include <QtGlobal>

class QWidget;

// Loading the chart module (zem-chart, beside the program) on first use, for
// every chart of the program.

// The entry point of the module named symbol; nullptr, with the reason in
// error, when the module or the entry point is missing. The module is loaded
// once and stays loaded for the rest of the run.
QFunctionPointer ChartModuleSymbol(const char* symbol, QString* error);

// The label that stands in a chart's place when the module is missing, saying
// why; IsChartStandIn tells it from a chart.
QWidget* ChartStandIn(QWidget* parent, const QString& objectName, const QString& error);
bool IsChartStandIn(const QWidget* chart);
