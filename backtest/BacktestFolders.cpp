#include "backtest/BacktestFolders.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

namespace {

QString& replacedPath() {
    static QString path;
    return path;
}

const QString FoldersKey = QStringLiteral("archive/folders");

}  // namespace

QString BacktestSettingsPath() {
    if (!replacedPath().isEmpty()) return replacedPath();
    return QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation) +
           QStringLiteral("/backtest.ini");
}

void SetBacktestSettingsPath(const QString& path) {
    replacedPath() = path;
}

QStringList ArchiveFolders() {
    const QSettings settings(BacktestSettingsPath(), QSettings::IniFormat);
    return settings.value(FoldersKey).toStringList();
}

QString SaveArchiveFolders(const QStringList& folders) {
    const QString path = BacktestSettingsPath();
    QDir().mkpath(QFileInfo(path).absolutePath());
    QSettings settings(path, QSettings::IniFormat);
    settings.setValue(FoldersKey, folders);
    settings.sync();
    if (settings.status() == QSettings::NoError) return QString();
    return QStringLiteral("%1 に書き込めません。").arg(QDir::toNativeSeparators(path));
}
