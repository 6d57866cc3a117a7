#include "settings/WineDrives.h"

#include <QDir>
#include <QFileInfo>
#include <QStringList>

std::vector<WineDrive> WineDrives() {
    const QString home = QDir::home().filePath(QStringLiteral(".wine"));
    QStringList prefixes;
    const QString fromEnvironment = qEnvironmentVariable("WINEPREFIX");
    if (!fromEnvironment.isEmpty()) prefixes << QDir::cleanPath(fromEnvironment);
    prefixes << home;

    std::vector<WineDrive> drives;
    QStringList seen;
    const QString homeDrive = QFileInfo(home + QStringLiteral("/drive_c")).canonicalFilePath();
    for (const QString& prefix : prefixes) {
        const QFileInfo drive(QDir(prefix).filePath(QStringLiteral("drive_c")));
        const QString canonical = drive.canonicalFilePath();
        if (!drive.isDir() || seen.contains(canonical)) continue;
        seen << canonical;
        const QString name =
            canonical == homeDrive
                ? QStringLiteral("C: (Wine)")
                : QStringLiteral("C: (Wine: %1)").arg(QDir::toNativeSeparators(prefix));
        drives.push_back({name, QDir::cleanPath(drive.absoluteFilePath())});
    }
    return drives;
}
