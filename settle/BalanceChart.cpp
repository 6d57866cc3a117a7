#include "settle/BalanceChart.h"

#include <QCoreApplication>
#include <QDir>
#include <QLabel>
#include <QLibrary>

#include "settle/chart/ChartModule.h"

namespace {

struct Module {
    MakeBalanceChartFn make = nullptr;
    ShowBalanceFn show = nullptr;
    QString error;
};

// The chart module beside the program, loaded once.
const Module& module() {
    static const Module loaded = [] {
        Module m;
        QLibrary library(QDir(QCoreApplication::applicationDirPath())
                             .filePath(QString::fromLatin1(ChartModuleName)));
        if (!library.load()) {
            m.error = library.errorString();
            return m;
        }
        m.make = reinterpret_cast<MakeBalanceChartFn>(library.resolve(MakeBalanceChartSymbol));
        m.show = reinterpret_cast<ShowBalanceFn>(library.resolve(ShowBalanceSymbol));
        if (!m.make || !m.show) {
            m.make = nullptr;
            m.show = nullptr;
            m.error = library.errorString();
        }
        return m;  // the library stays loaded for the rest of the run
    }();
    return loaded;
}

constexpr char MissingProperty[] = "zemChartMissing";

}  // namespace

QWidget* MakeBalanceChart(QWidget* parent, const QString& objectName) {
    const Module& m = module();
    if (m.make) return m.make(parent, objectName);
    auto* label = new QLabel(QStringLiteral("グラフを表示できません（%1）").arg(m.error), parent);
    label->setObjectName(objectName);
    label->setAlignment(Qt::AlignCenter);
    label->setWordWrap(true);
    label->setProperty(MissingProperty, true);
    return label;
}

void ShowBalance(QWidget* chart, const std::vector<BalancePoint>& points,
                 const QString& emptyNote) {
    if (!chart || chart->property(MissingProperty).toBool()) return;
    const Module& m = module();
    if (m.show) m.show(chart, points, emptyNote);
}
