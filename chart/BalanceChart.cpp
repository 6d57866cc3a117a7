#include "chart/BalanceChart.h"

#include "chart/ChartLoader.h"
#include "chart/ChartModule.h"

QWidget* MakeBalanceChart(QWidget* parent, const QString& objectName) {
    QString error;
    const auto make =
        reinterpret_cast<MakeBalanceChartFn>(ChartModuleSymbol(MakeBalanceChartSymbol, &error));
    return make ? make(parent, objectName) : ChartStandIn(parent, objectName, error);
}

void ShowBalance(QWidget* chart, const std::vector<BalancePoint>& points,
                 const QString& emptyNote) {
    if (!chart || IsChartStandIn(chart)) return;
    const auto show =
        reinterpret_cast<ShowBalanceFn>(ChartModuleSymbol(ShowBalanceSymbol, nullptr));
    if (show) show(chart, points, emptyNote);
}
