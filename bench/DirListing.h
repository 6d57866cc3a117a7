#pragma once

#include <QDir>
#include <QDirIterator>
#include <QStringList>

// The floor of the figures that read a data directory: every ordinary file
// name of it, as a plain listing sees them.
inline QStringList PlainListing(const QString& path) {
    QStringList names;
    QDirIterator it(path, QDir::Files);
    while (it.hasNext()) {
        it.next();
        names.append(it.fileName());
    }
    return names;
}
