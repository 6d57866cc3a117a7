#include "racedata/RaceFiles.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <algorithm>

#ifdef Q_OS_UNIX
#include <dirent.h>
#include <sys/stat.h>
#endif

QString RaceChar(int raceNo) {
    if (raceNo >= 10 && raceNo <= 12) return QString(QChar(u'a' + (raceNo - 10)));
    return QString::number(raceNo).left(1);
}

namespace {

bool matchesPattern(const QString& name, const QString& head, const QString& ext) {
    return name.size() >= head.size() + ext.size() && name.startsWith(head, Qt::CaseInsensitive) &&
           name.endsWith(ext, Qt::CaseInsensitive);
}

#ifdef Q_OS_UNIX
// Equal bytes, ASCII letters in either case.
bool equalIgnoringAsciiCase(const char* text, const QByteArray& ascii) {
    for (qsizetype i = 0; i < ascii.size(); ++i) {
        char c = text[i];
        if (c >= 'A' && c <= 'Z') c = char(c - 'A' + 'a');
        if (c != ascii[i]) return false;
    }
    return true;
}
#endif

// The names of the ordinary files (hidden ones left out) of the directory that
// begin with head and end in ext, in any case.
QStringList matchingFiles(const QString& dataDir, const QString& head, const QString& ext) {
    QStringList matches;
#ifdef Q_OS_UNIX
    // The directory is read directly, and only a name that matches becomes a
    // string and has its type checked: a file-info object for every name, as a
    // QDirIterator makes, costs more than the rest of a job in a large directory.
    DIR* dir = opendir(QFile::encodeName(dataDir).constData());
    if (!dir) return matches;
    const QByteArray asciiHead = head.toLower().toLatin1();
    const QByteArray asciiExt = ext.toLower().toLatin1();
    while (const dirent* entry = readdir(dir)) {
        const QByteArrayView name(entry->d_name);
        const bool ascii = std::all_of(name.begin(), name.end(),
                                       [](char c) { return static_cast<unsigned char>(c) < 0x80; });
        if (ascii) {
            if (name.size() < asciiHead.size() + asciiExt.size() ||
                !equalIgnoringAsciiCase(name.data(), asciiHead) ||
                !equalIgnoringAsciiCase(name.data() + name.size() - asciiExt.size(), asciiExt)) {
                continue;
            }
        } else if (!matchesPattern(QFile::decodeName(entry->d_name), head, ext)) {
            continue;  // other names, compared as the platform's strings
        }
        // A matching name never begins with "." and so is never hidden; links
        // count as what they point to, and dangling ones not at all.
        bool ordinary = entry->d_type == DT_REG;
        if (entry->d_type == DT_LNK || entry->d_type == DT_UNKNOWN) {
            struct stat info {};
            ordinary = fstatat(dirfd(dir), entry->d_name, &info, 0) == 0 && S_ISREG(info.st_mode);
        }
        if (ordinary) matches.append(QFile::decodeName(entry->d_name));
    }
    closedir(dir);
#else
    QDirIterator it(dataDir, QDir::Files);  // ordinary files, hidden ones left out
    while (it.hasNext()) {
        it.next();
        if (matchesPattern(it.fileName(), head, ext)) matches.append(it.fileName());
    }
#endif
    return matches;
}

// Names in case-insensitive order, ties broken by case.
bool nameOrder(const QString& a, const QString& b) {
    const int c = a.compare(b, Qt::CaseInsensitive);
    return c != 0 ? c < 0 : a < b;
}

}  // namespace

RaceFile FindRaceFile(const QString& dataDir, const QString& prefix, int stemLength, int courseCode,
                      int raceNo) {
    RaceFile found;
    if (dataDir.isEmpty()) return found;
    const QString head = prefix + QString::number(courseCode);
    const QString ext = QStringLiteral(".jra");

    // One pass over the directory: the name of the race's file always matches
    // the search pattern too, so the matching names are all that is needed.
    const QStringList matches = matchingFiles(dataDir, head, ext);
    if (matches.isEmpty()) return found;

    const auto first = std::min_element(matches.begin(), matches.end(), nameOrder);
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

QStringList FindRaceFiles(const QString& dataDir, const QString& prefix, int stemLength,
                          int courseCode, int raceNo) {
    QStringList found;
    if (dataDir.isEmpty()) return found;
    const QString ext = QStringLiteral(".jra");
    const QString race = RaceChar(raceNo);
    QStringList matches = matchingFiles(dataDir, prefix + QString::number(courseCode), ext);
    std::sort(matches.begin(), matches.end(), nameOrder);
    for (const QString& name : std::as_const(matches)) {
        if (name.size() == stemLength + race.size() + ext.size() &&
            name.mid(stemLength, race.size()).compare(race, Qt::CaseInsensitive) == 0) {
            found.append(QDir::toNativeSeparators(QDir(dataDir).filePath(name)));
        }
    }
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
