// zem-analyse [--csv] [--history] [--from DATE] [--to DATE] DIR...: the returns
// analysis of the races in PAT95 folders.
#include <QCoreApplication>
#include <QTextStream>
#include <cstdio>

#include "backtest/AnalyseCommand.h"

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("ZEM"));
    QTextStream out(stdout);
    QTextStream err(stderr);
    return RunAnalyseCommand(QCoreApplication::arguments().mid(1), out, err);
}
