#include "common/ProgramDir.h"

#include <QCoreApplication>

namespace {
QString& overrideDir() {
    static QString instance;
    return instance;
}
}  // namespace

QString ProgramDir() {
    if (!overrideDir().isEmpty()) return overrideDir();
    return QCoreApplication::applicationDirPath();
}

void SetProgramDir(const QString& directory) { overrideDir() = directory; }
