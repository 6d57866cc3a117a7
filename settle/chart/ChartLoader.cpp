#include "settle/chart/ChartLoader.h"

#include <QCoreApplication>
#include <QDir>
#include <QLabel>
#include <QLibrary>

#include "settle/chart/ChartModule.h"

namespace {

constexpr char StandInProperty[] = "zemChartMissing";

QLibrary& library() {
    static QLibrary loaded(QDir(QCoreApplication::applicationDirPath())
                               .filePath(QString::fromLatin1(ChartModuleName)));
    return loaded;
}

}  // namespace

QFunctionPointer ChartModuleSymbol(const char* symbol, QString* error) {
    QLibrary& module = library();
    QFunctionPointer entry = module.load() ? module.resolve(symbol) : nullptr;
    if (!entry && error) *error = module.errorString();
    return entry;
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
