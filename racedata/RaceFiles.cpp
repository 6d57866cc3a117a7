#include "racedata/RaceFiles.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <algorithm>

#include "common/RaceDate.h"

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
// begin with one of the heads and end in ext, in any case: one list per head,
// from one reading of the directory.
template <std::size_t N>
std::array<QStringList, N> matchingFilesOf(const QString& dataDir,
                                           const std::array<QString, N>& heads,
                                           const QString& ext) {
    std::array<QStringList, N> matches;
#ifdef Q_OS_UNIX
    // The directory is read directly, and only a name that matches becomes a
    // string and has its type checked: a file-info object for every name, as a
    // QDirIterator makes, costs more than the rest of a job in a large directory.
    DIR* dir = opendir(QFile::encodeName(dataDir).constData());
    if (!dir) return matches;
    std::array<QByteArray, N> asciiHeads;
    for (std::size_t h = 0; h < N; ++h) asciiHeads[h] = heads[h].toLower().toLatin1();
    const QByteArray asciiExt = ext.toLower().toLatin1();
    while (const dirent* entry = readdir(dir)) {
        const QByteArrayView name(entry->d_name);
        const bool ascii = std::all_of(name.begin(), name.end(),
                                       [](char c) { return static_cast<unsigned char>(c) < 0x80; });
        std::size_t head = N;
        if (ascii) {
            if (name.size() < asciiExt.size() ||
                !equalIgnoringAsciiCase(name.data() + name.size() - asciiExt.size(), asciiExt))
                continue;
            for (std::size_t h = 0; h < N && head == N; ++h) {
                if (name.size() >= asciiHeads[h].size() + asciiExt.size() &&
                    equalIgnoringAsciiCase(name.data(), asciiHeads[h]))
                    head = h;
            }
        } else {
            // Other names, compared as the platform's strings.
            const QString decoded = QFile::decodeName(entry->d_name);
            for (std::size_t h = 0; h < N && head == N; ++h) {
                if (matchesPattern(decoded, heads[h], ext)) head = h;
            }
        }
        if (head == N) continue;
        // A matching name never begins with "." and so is never hidden; links
        // count as what they point to, and dangling ones not at all.
        bool ordinary = entry->d_type == DT_REG;
        if (entry->d_type == DT_LNK || entry->d_type == DT_UNKNOWN) {
            struct stat info {};
            ordinary = fstatat(dirfd(dir), entry->d_name, &info, 0) == 0 && S_ISREG(info.st_mode);
        }
        if (ordinary) matches[head].append(QFile::decodeName(entry->d_name));
    }
    closedir(dir);
#else
    QDirIterator it(dataDir, QDir::Files);  // ordinary files, hidden ones left out
    while (it.hasNext()) {
        it.next();
        for (std::size_t h = 0; h < N; ++h) {
            if (matchesPattern(it.fileName(), heads[h], ext)) {
                matches[h].append(it.fileName());
                break;
            }
        }
    }
#endif
    return matches;
}

QStringList matchingFiles(const QString& dataDir, const QString& head, const QString& ext) {
    return matchingFilesOf<1>(dataDir, {head}, ext)[0];
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


// The three kinds of file a race has, with the length of their stems.
constexpr std::array<std::pair<const char*, int>, 3> Kinds{{{"uo-", 5}, {"zo-", 5}, {"ks-", 7}}};

int kindOf(const QString& prefix) {
    for (std::size_t k = 0; k < Kinds.size(); ++k) {
        if (prefix.compare(QLatin1String(Kinds[k].first), Qt::CaseInsensitive) == 0)
            return static_cast<int>(k);
    }
    return -1;
}

std::array<QString, 3> courseHeads(int courseCode) {
    return {headOf(QLatin1String(Kinds[0].first), courseCode),
            headOf(QLatin1String(Kinds[1].first), courseCode),
            headOf(QLatin1String(Kinds[2].first), courseCode)};
}

QString pathIn(const QString& dataDir, const QString& name) {
    return QDir::toNativeSeparators(QDir(dataDir).filePath(name));
}

}  // namespace

QDate ReadFileDate(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {};
    const QByteArray bytes = file.read(8);
    if (bytes.size() != 8) return {};
    return RecordDate(QString::fromLatin1(bytes));
}

RaceFileSet::RaceFileSet(const QString& dataDir, int courseCode, int raceNo)
    : dataDir_(dataDir), raceNo_(raceNo) {
    if (dataDir.isEmpty() || courseCode < 0 || raceNo <= 0) return;
    collect(matchingFilesOf<3>(dataDir, courseHeads(courseCode), QStringLiteral(".jra")));
}

void RaceFileSet::collect(const std::array<QStringList, 3>& courseNames) {
    courseNames_ = courseNames;
    const QString ext = QStringLiteral(".jra");
    const QString race = RaceChar(raceNo_);
    for (std::size_t k = 0; k < Kinds.size(); ++k) {
        const int stemLength = Kinds[k].second;
        QStringList names;
        for (const QString& name : courseNames_[k]) {
            if (name.size() == stemLength + race.size() + ext.size() &&
                QStringView(name).mid(stemLength, race.size()).compare(race, Qt::CaseInsensitive) ==
                    0)
                names.append(name);
        }
        std::sort(names.begin(), names.end(), nameOrder);
        for (const QString& name : std::as_const(names)) {
            const QDate date = ReadFileDate(pathIn(dataDir_, name));
            race_[k].push_back({name, date});
            if (date.isValid() && (!newest_.isValid() || date > newest_)) newest_ = date;
        }
    }
}

RaceFile RaceFileSet::find(const QString& prefix, int stemLength, const QDate& day) const {
    const int kind = kindOf(prefix);
    if (kind < 0 || dataDir_.isEmpty()) return {};
    if (!newest_.isValid()) {
        // No file of the race tells its day: the first stem of the course decides.
        if (day.isValid()) return {};
        RaceFile found = pickRaceFile(dataDir_, courseNames_[kind], stemLength, raceNo_);
        return found;
    }
    const QDate wanted = day.isValid() ? day : newest_;
    for (const Dated& file : race_[kind]) {
        if (file.date == wanted) return {pathIn(dataDir_, file.name), file.name.left(stemLength), file.date};
    }
    return {};
}

QStringList RaceFileSet::all(const QString& prefix) const {
    QStringList paths;
    const int kind = kindOf(prefix);
    if (kind < 0) return paths;
    for (const Dated& file : race_[kind]) paths.append(pathIn(dataDir_, file.name));
    return paths;
}

RaceFile FindRaceFile(const QString& dataDir, const QString& prefix, int stemLength, int courseCode,
                      int raceNo, const QDate& day) {
    if (dataDir.isEmpty()) return {};
    return RaceFileSet(dataDir, courseCode, raceNo).find(prefix, stemLength, day);
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

RaceFileSet RaceDirectory::race(int courseCode, int raceNo) const {
    RaceFileSet set;
    set.dataDir_ = dataDir_;
    set.raceNo_ = raceNo;
    if (dataDir_.isEmpty() || courseCode < 0 || raceNo <= 0) return set;
    const std::array<QString, 3> heads = courseHeads(courseCode);
    set.collect({matching(heads[0]), matching(heads[1]), matching(heads[2])});
    return set;
}

RaceFile RaceDirectory::find(const QString& prefix, int stemLength, int courseCode, int raceNo,
                             const QDate& day) const {
    return race(courseCode, raceNo).find(prefix, stemLength, day);
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
