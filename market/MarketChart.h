#pragma once

#include <QString>

#include "racedata/Market.h"

class QWidget;

// The bars of 支持率 and 馬連支持率 per horse, drawn by the chart module
// (zem-chart), which is loaded with the first chart made. Should the module be
// missing, a label saying so stands in the chart's place.
QWidget* MakeMarketChart(QWidget* parent, const QString& objectName);
void ShowMarket(QWidget* chart, const MarketAnalysis& analysis);
