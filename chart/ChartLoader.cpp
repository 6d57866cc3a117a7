#include "chart/ChartLoader.h"

#include <QLabel>

#include "chart/ChartModule.h"
#include "common/Module.h"

namespace {

constexpr char StandInProperty[] = "zemChartMissing";

}  // namespace

QFunctionPointer ChartModuleSymbol(const char* symbol, QString* error) {
    return ModuleSymbol(ChartModuleName, symbol, error);
}

QWidget* ChartStandIn(QWidget* parent, const QString& objectName, const QString& error) {
    auto* label = new QLabel(QStringLiteral("グラフを表示できません（%1）").arg(error), parent);
    label->setObjectName(objectName);
    label->setAlignment(Qt::AlignCenter);
    label->setWordWrap(true);
    label->setProperty(StandInProperty, true);
    return label;
}

bool IsChartStandIn(const QWidget* chart) {
    return chart && chart->property(StandInProperty).toBool();
}
