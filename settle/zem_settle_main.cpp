// zem-settle [--csv] [--day YYYY-MM-DD] MEMOFILE [DATADIR]: settles a saved memo's bets.
#include <QCoreApplication>
#include <QTextStream>
#include <cstdio>

#include "settle/SettleCommand.h"

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("ZEM"));
    QTextStream out(stdout);
    QTextStream err(stderr);
    return RunSettleCommand(QCoreApplication::arguments().mid(1), out, err);
}
