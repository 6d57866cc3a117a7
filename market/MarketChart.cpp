#include "market/MarketChart.h"

#include <QCoreApplication>
#include <QDir>
#include <QLabel>
#include <QLibrary>

#include "settle/chart/ChartModule.h"

namespace {

struct Module {
    MakeBarChartFn make = nullptr;
    ShowBarsFn show = nullptr;
    QString error;
};

// The chart module beside the program, loaded once (the settlement's chart
// loads the same library; it stays loaded for the rest of the run).
const Module& module() {
    static const Module loaded = [] {
        Module m;
        QLibrary library(QDir(QCoreApplication::applicationDirPath())
                             .filePath(QString::fromLatin1(ChartModuleName)));
        if (!library.load()) {
            m.error = library.errorString();
            return m;
        }
        m.make = reinterpret_cast<MakeBarChartFn>(library.resolve(MakeBarChartSymbol));
        m.show = reinterpret_cast<ShowBarsFn>(library.resolve(ShowBarsSymbol));
        if (!m.make || !m.show) {
            m.make = nullptr;
            m.show = nullptr;
            m.error = library.errorString();
        }
        return m;
    }();
    return loaded;
}

constexpr char MissingProperty[] = "zemChartMissing";

}  // namespace

QWidget* MakeMarketChart(QWidget* parent, const QString& objectName) {
    const Module& m = module();
    if (m.make) return m.make(parent, objectName);
    auto* label = new QLabel(QStringLiteral("グラフを表示できません（%1）").arg(m.error), parent);
    label->setObjectName(objectName);
    label->setAlignment(Qt::AlignCenter);
    label->setWordWrap(true);
    label->setProperty(MissingProperty, true);
    return label;
}

void ShowMarket(QWidget* chart, const MarketAnalysis& analysis) {
    if (!chart || chart->property(MissingProperty).toBool()) return;
    const Module& m = module();
    if (!m.show) return;
    QStringList horses;
    BarSet win{QStringLiteral("支持率"), QColor(0, 90, 200), {}};
    BarSet quinella{QStringLiteral("馬連支持率"), QColor(230, 120, 0), {}};
    for (const HorseRow& h : analysis.horses) {
        horses << QString::number(h.horse);
        win.values.push_back(h.winShare.value_or(0));
        quinella.values.push_back(h.quinellaShare.value_or(0));
    }
    m.show(chart, horses, {win, quinella}, QStringLiteral("％"));
}
