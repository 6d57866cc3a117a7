#include "trend/TrendChart.h"

#include "chart/ChartLoader.h"
#include "chart/ChartModule.h"
#include "chart/LineChart.h"

QWidget* MakeTrendChart(QWidget* parent, const QString& objectName) {
    QString error;
    const auto make =
        reinterpret_cast<MakeLineChartFn>(ChartModuleSymbol(MakeLineChartSymbol, &error));
    return make ? make(parent, objectName) : ChartStandIn(parent, objectName, error);
}

void ShowTrendLines(QWidget* chart, const QStringList& points, const std::vector<ChartLine>& lines,
                    const QString& emptyNote, bool logScale) {
    if (!chart || IsChartStandIn(chart)) return;
    const auto show = reinterpret_cast<ShowLinesFn>(ChartModuleSymbol(ShowLinesSymbol, nullptr));
    if (show) show(chart, points, lines, QStringLiteral("オッズ"), emptyNote, logScale);
}
