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

// The race's file among the names that match prefix + courseCode + "*.jra": the
// first of them in name order gives the stem.
RaceFile pickRaceFile(const QString& dataDir, const QStringList& matches, int stemLength,
                      int raceNo) {
    RaceFile found;
    if (matches.isEmpty()) return found;
    const auto first = std::min_element(matches.begin(), matches.end(), nameOrder);
    found.stem = first->left(stemLength);
    const QString wanted = found.stem + RaceChar(raceNo) + QStringLiteral(".jra");
    for (const QString& name : matches) {
        if (name.compare(wanted, Qt::CaseInsensitive) == 0) {
            found.path = QDir::toNativeSeparators(QDir(dataDir).filePath(name));
            break;
        }
    }
    return found;
}

// Every file of the race among the matching names, in name order.
QStringList pickRaceFiles(const QString& dataDir, const QStringList& matches, int stemLength,
                          int raceNo) {
    const QString ext = QStringLiteral(".jra");
    const QString race = RaceChar(raceNo);
    QStringList names;
    for (const QString& name : matches) {
        if (name.size() == stemLength + race.size() + ext.size() &&
            QStringView(name).mid(stemLength, race.size()).compare(race, Qt::CaseInsensitive) == 0)
            names.append(name);
    }
    std::sort(names.begin(), names.end(), nameOrder);
    QStringList found;
    for (const QString& name : std::as_const(names))
        found.append(QDir::toNativeSeparators(QDir(dataDir).filePath(name)));
    return found;
}

QString headOf(const QString& prefix, int courseCode) { return prefix + QString::number(courseCode); }

}  // namespace

RaceFile FindRaceFile(const QString& dataDir, const QString& prefix, int stemLength, int courseCode,
                      int raceNo) {
    if (dataDir.isEmpty()) return {};
    // One pass over the directory: the name of the race's file always matches
    // the search pattern too, so the matching names are all that is needed.
    return pickRaceFile(dataDir,
                        matchingFiles(dataDir, headOf(prefix, courseCode), QStringLiteral(".jra")),
                        stemLength, raceNo);
}

QStringList FindRaceFiles(const QString& dataDir, const QString& prefix, int stemLength,
                          int courseCode, int raceNo) {
    if (dataDir.isEmpty()) return {};
    return pickRaceFiles(dataDir,
                         matchingFiles(dataDir, headOf(prefix, courseCode), QStringLiteral(".jra")),
                         stemLength, raceNo);
}

RaceDirectory::RaceDirectory(const QString& dataDir) : dataDir_(dataDir) {
    if (dataDir.isEmpty()) return;
    const QStringList names = matchingFiles(dataDir, QString(), QStringLiteral(".jra"));
    // Sorted by the case-folded name, the names that begin with a head in any
    // case stand together.
    names_.reserve(names.size());
    for (const QString& name : names) names_.push_back({name.toCaseFolded(), name});
    std::sort(names_.begin(), names_.end());
}

QStringList RaceDirectory::matching(const QString& head) const {
    const QString folded = head.toCaseFolded();
    auto it = std::lower_bound(names_.begin(), names_.end(), std::pair{folded, QString()});
    QStringList matches;
    for (; it != names_.end() && it->first.startsWith(folded); ++it) matches.append(it->second);
    return matches;
}

RaceFile RaceDirectory::find(const QString& prefix, int stemLength, int courseCode,
                             int raceNo) const {
    return pickRaceFile(dataDir_, matching(headOf(prefix, courseCode)), stemLength, raceNo);
}

QStringList RaceDirectory::findAll(const QString& prefix, int stemLength, int courseCode,
                                   int raceNo) const {
    return pickRaceFiles(dataDir_, matching(headOf(prefix, courseCode)), stemLength, raceNo);
}

bool ReadRecord1(const QString& path, FixedRecord& record) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return false;
    const QByteArray bytes = file.read(record.length());
    if (file.error() != QFileDevice::NoError) return false;
    record.assign(bytes);
    return true;
}
