#pragma once

#include <QString>
#include <QStringList>
#include <vector>

class QWidget;

// The line chart entry of the chart module (zem-chart): several named lines
// over the same points along the bottom, e.g. odds over their download times.

struct ChartLine {
    QString name;                // shown in the legend, e.g. "3-7"
    std::vector<double> values;  // one per point; NaN leaves a gap
};

inline constexpr char MakeLineChartSymbol[] = "zemMakeLineChart";
inline constexpr char ShowLinesSymbol[] = "zemShowLines";

using MakeLineChartFn = QWidget* (*)(QWidget* parent, const QString& objectName);
// points: the labels along the bottom; yTitle: the left axis' title; no lines
// show an empty chart with the note. logScale: the left axis in powers of ten
// (values above 0 only), so that small values are not flattened by large ones.
using ShowLinesFn = void (*)(QWidget* chart, const QStringList& points,
                             const std::vector<ChartLine>& lines, const QString& yTitle,
                             const QString& emptyNote, bool logScale);
