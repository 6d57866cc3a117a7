#include "market/MarketChart.h"

#include "chart/ChartLoader.h"
#include "chart/ChartModule.h"

QWidget* MakeMarketChart(QWidget* parent, const QString& objectName) {
    QString error;
    const auto make =
        reinterpret_cast<MakeBarChartFn>(ChartModuleSymbol(MakeBarChartSymbol, &error));
    return make ? make(parent, objectName) : ChartStandIn(parent, objectName, error);
}

void ShowMarket(QWidget* chart, const MarketAnalysis& analysis) {
    if (!chart || IsChartStandIn(chart)) return;
    const auto show = reinterpret_cast<ShowBarsFn>(ChartModuleSymbol(ShowBarsSymbol, nullptr));
    if (!show) return;
    QStringList horses;
    BarSet win{QStringLiteral("支持率"), QColor(0, 90, 200), {}};
    BarSet quinella{QStringLiteral("馬連支持率"), QColor(230, 120, 0), {}};
    for (const HorseRow& h : analysis.horses) {
        horses << QString::number(h.horse);
        win.values.push_back(h.winShare.value_or(0));
        quinella.values.push_back(h.quinellaShare.value_or(0));
    }
    show(chart, horses, {win, quinella}, QStringLiteral("％"));
}
