#include "settings/BacktestFolders.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>
#include <functional>

#include "common/Calibration.h"

namespace {

QString& replacedPath() {
    static QString path;
    return path;
}

const QString FoldersKey = QStringLiteral("archive/folders");
const QString FitGroup = QStringLiteral("calibration");

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

namespace {

// Writes values into the file; the reason when it cannot be written.
QString save(const std::function<void(QSettings&)>& write) {
    const QString path = BacktestSettingsPath();
    QDir().mkpath(QFileInfo(path).absolutePath());
    QSettings settings(path, QSettings::IniFormat);
    write(settings);
    settings.sync();
    if (settings.status() == QSettings::NoError) return QString();
    return QStringLiteral("%1 に書き込めません。").arg(QDir::toNativeSeparators(path));
}

}  // namespace

QString SaveArchiveFolders(const QStringList& folders) {
    return save([&](QSettings& settings) { settings.setValue(FoldersKey, folders); });
}

std::optional<CalibrationFit> StoredCalibration() {
    if (!QFileInfo::exists(BacktestSettingsPath())) return std::nullopt;
    QSettings settings(BacktestSettingsPath(), QSettings::IniFormat);
    settings.beginGroup(FitGroup);
    if (!settings.contains(QStringLiteral("races"))) return std::nullopt;
    CalibrationFit fit;
    fit.beta = settings.value(QStringLiteral("beta"), 1.0).toDouble();
    fit.standardError = settings.value(QStringLiteral("standardError"), 0.0).toDouble();
    fit.races = settings.value(QStringLiteral("races"), 0).toInt();
    fit.fitted = settings.value(QStringLiteral("fitted"), false).toBool();
    if (!(fit.beta > 0) || fit.races < 0) return std::nullopt;
    return fit;
}

QString StoreCalibration(const CalibrationFit& fit) {
    return save([&](QSettings& settings) {
        settings.beginGroup(FitGroup);
        settings.setValue(QStringLiteral("beta"), fit.beta);
        settings.setValue(QStringLiteral("standardError"), fit.standardError);
        settings.setValue(QStringLiteral("races"), fit.races);
        settings.setValue(QStringLiteral("fitted"), fit.fitted);
        settings.endGroup();
    });
}
