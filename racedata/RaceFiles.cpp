#include "racedata/RaceFiles.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>

QString RaceChar(int raceNo) {
    if (raceNo >= 10 && raceNo <= 12) return QString(QChar(u'a' + (raceNo - 10)));
    return QString::number(raceNo).left(1);
}

RaceFile FindRaceFile(const QString& dataDir, const QString& prefix, int stemLength,
                      int courseCode, int raceNo) {
    RaceFile found;
    if (dataDir.isEmpty()) return found;
    const QString head = prefix + QString::number(courseCode);
    const QString ext = QStringLiteral(".jra");

    // One pass over the directory: the name of the race's file always matches
    // the search pattern too, so the matching names are all that is needed.
    QStringList matches;
    QDirIterator it(dataDir, QDir::Files);  // ordinary files, hidden ones left out
    while (it.hasNext()) {
        it.next();
        const QString name = it.fileName();
        if (name.size() >= head.size() + ext.size() && name.startsWith(head, Qt::CaseInsensitive) &&
            name.endsWith(ext, Qt::CaseInsensitive)) {
            matches.append(name);
        }
    }
    if (matches.isEmpty()) return found;

    const auto first = std::min_element(matches.begin(), matches.end(),
                                        [](const QString& a, const QString& b) {
                                            const int c = a.compare(b, Qt::CaseInsensitive);
                                            return c != 0 ? c < 0 : a < b;
                                        });
    found.stem = first->left(stemLength);
    const QString wanted = found.stem + RaceChar(raceNo) + ext;
    for (const QString& name : std::as_const(matches)) {
        if (name.compare(wanted, Qt::CaseInsensitive) == 0) {
            found.path = QDir(dataDir).filePath(name);
            break;
        }
    }
    if (!found.path.isEmpty()) found.path = QDir::toNativeSeparators(found.path);
    return found;
}

bool ReadRecord1(const QString& path, FixedRecord& record) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return false;
    const QByteArray bytes = file.read(record.length());
    if (file.error() != QFileDevice::NoError) return false;
    record.assign(bytes);
    return true;
}
