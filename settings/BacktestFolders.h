#pragma once

#include <QString>
#include <QStringList>
#include <optional>

struct CalibrationFit;  // common/Calibration.h

// The archive folders the returns analysis reads besides the data directory,
// remembered in a settings file of the user's configuration directory
// ("backtest.ini" beside the user's ZEM.ini), not in ZEM.ini, whose two lines
// are fixed.

QString BacktestSettingsPath();
// Replaces the path (tests); empty restores the default.
void SetBacktestSettingsPath(const QString& path);

QStringList ArchiveFolders();
// Keeps the list; the reason when the file cannot be written, else empty.
QString SaveArchiveFolders(const QStringList& folders);

// The last calibration of the user's races (回収率分析's reading), for the
// windows that use β without reading every race again; nullopt before the
// first. Keeping it returns the reason when the file cannot be written.
std::optional<CalibrationFit> StoredCalibration();
QString StoreCalibration(const CalibrationFit& fit);
