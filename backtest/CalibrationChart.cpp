#include "backtest/CalibrationChart.h"

#include "chart/ChartLoader.h"
#include "chart/ChartModule.h"

QWidget* MakeCalibrationChart(QWidget* parent, const QString& objectName) {
    QString error;
    const auto make = reinterpret_cast<MakeCalibrationChartFn>(
        ChartModuleSymbol(MakeCalibrationChartSymbol, &error));
    return make ? make(parent, objectName) : ChartStandIn(parent, objectName, error);
}

void ShowCalibration(QWidget* chart, const BacktestAnalysis& analysis) {
    if (!chart || IsChartStandIn(chart)) return;
    const auto show =
        reinterpret_cast<ShowCalibrationFn>(ChartModuleSymbol(ShowCalibrationSymbol, nullptr));
    if (!show) return;
    std::vector<CalibrationPoint> points;
    for (const ReliabilityRow& r : analysis.reliability) {
        if (r.horses > 0)
            points.push_back({100.0 * r.predicted / r.horses, 100.0 * r.wins / r.horses});
    }
    show(chart, points, QStringLiteral("レースがありません"));
}
