#include "trend/TrendChart.h"

#include <QCoreApplication>
#include <QDir>
#include <QLabel>
#include <QLibrary>

#include "settle/chart/ChartModule.h"

namespace {

struct Module {
    MakeLineChartFn make = nullptr;
    ShowLinesFn show = nullptr;
    QString error;
};

const Module& module() {
    static const Module loaded = [] {
        Module m;
        QLibrary library(QDir(QCoreApplication::applicationDirPath())
                             .filePath(QString::fromLatin1(ChartModuleName)));
        if (library.load()) {
            m.make = reinterpret_cast<MakeLineChartFn>(library.resolve(MakeLineChartSymbol));
            m.show = reinterpret_cast<ShowLinesFn>(library.resolve(ShowLinesSymbol));
        }
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

QWidget* MakeTrendChart(QWidget* parent, const QString& objectName) {
    const Module& m = module();
    if (m.make) return m.make(parent, objectName);
    auto* label = new QLabel(QStringLiteral("グラフを表示できません（%1）").arg(m.error), parent);
    label->setObjectName(objectName);
    label->setAlignment(Qt::AlignCenter);
    label->setWordWrap(true);
    label->setProperty(MissingProperty, true);
    return label;
}

void ShowTrendLines(QWidget* chart, const QStringList& points, const std::vector<ChartLine>& lines,
                    const QString& emptyNote) {
    if (!chart || chart->property(MissingProperty).toBool()) return;
    if (const Module& m = module(); m.show)
        m.show(chart, points, lines, QStringLiteral("オッズ"), emptyNote);
}
