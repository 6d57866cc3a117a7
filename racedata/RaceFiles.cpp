#include "racedata/RaceFiles.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <algorithm>
#include <mutex>
#include <optional>

#include "common/RaceDate.h"

#ifdef Q_OS_UNIX
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

#include <cerrno>
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

#ifdef Q_OS_UNIX
// A name that matched, and whether its type is known from the listing (a
// regular file) or must be looked up on each use (a link, or a file system
// that does not tell types while listing).
struct Candidate {
    QString name;
    bool checkType = false;
};
template <std::size_t N>
using Candidates = std::array<std::vector<Candidate>, N>;

// Reads the directory once: the names that begin with one of the heads and end
// in ext, in any case, one list per head, in the directory's order; a name that
// matches never begins with "." and so is never hidden. The directory's own
// status is taken before its names are read. False when it cannot be opened.
template <std::size_t N>
bool readCandidates(const QString& dataDir, const std::array<QString, N>& heads, const QString& ext,
                    Candidates<N>& found, struct stat& dirInfo) {
    // The directory is read directly, and only a name that matches becomes a
    // string: a file-info object for every name, as a QDirIterator makes, costs
    // more than the rest of a job in a large directory.
    DIR* dir = opendir(QFile::encodeName(dataDir).constData());
    if (!dir) return false;
    if (fstat(dirfd(dir), &dirInfo) != 0) dirInfo = {};
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
        if (head == N ||
            (entry->d_type != DT_REG && entry->d_type != DT_LNK && entry->d_type != DT_UNKNOWN))
            continue;
        found[head].push_back({QFile::decodeName(entry->d_name), entry->d_type != DT_REG});
    }
    closedir(dir);
    return true;
}

// The ordinary files among the candidates: links count as what they point to,
// and dangling ones not at all.
template <std::size_t N>
std::array<QStringList, N> ordinaryFiles(const QString& dataDir, const Candidates<N>& found) {
    std::array<QStringList, N> matches;
    const QByteArray dirPath = QFile::encodeName(dataDir) + '/';
    for (std::size_t h = 0; h < N; ++h) {
        for (const Candidate& candidate : found[h]) {
            if (candidate.checkType) {
                struct stat info {};
                const QByteArray path = dirPath + QFile::encodeName(candidate.name);
                if (stat(path.constData(), &info) != 0 || !S_ISREG(info.st_mode)) continue;
            }
            matches[h].append(candidate.name);
        }
    }
    return matches;
}
#endif

// The names of the ordinary files (hidden ones left out) of the directory that
// begin with one of the heads and end in ext, in any case: one list per head,
// from one reading of the directory.
template <std::size_t N>
std::array<QStringList, N> matchingFilesOf(const QString& dataDir,
                                           const std::array<QString, N>& heads,
                                           const QString& ext) {
#ifdef Q_OS_UNIX
    Candidates<N> found;
    struct stat dirInfo {};
    if (!readCandidates(dataDir, heads, ext, found, dirInfo)) return {};
    return ordinaryFiles(dataDir, found);
#else
    std::array<QStringList, N> matches;
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
    return matches;
#endif
}

#ifdef Q_OS_UNIX
// The listings of a course's race files, kept between lookups: a window opened
// again reads the same directory. A listing is used again while the directory
// (the same one) has the same modification time, which every addition, removal
// or rename of a name changes, and only when that time was already at least
// 2 s old when the listing was taken, so that a change within the
// file system's timestamp granularity is never missed. Links are looked at
// again on each use. Lookups run on more than one thread: a mutex guards it.
constexpr qint64 MinListingAgeNs = 2'000'000'000;
constexpr int MaxListings = 64;

struct Listing {
    dev_t device = 0;
    ino_t inode = 0;
    timespec modified{};
    Candidates<3> found;
};

struct ListingCache {
    std::mutex mutex;
    QHash<QString, Listing> listings;  // by directory and heads
};

ListingCache& listingCache() {
    static ListingCache cache;
    return cache;
}

bool sameTime(const timespec& a, const timespec& b) {
    return a.tv_sec == b.tv_sec && a.tv_nsec == b.tv_nsec;
}

// Whether a listing of a directory with this status may be used again later.
bool oldEnough(const struct stat& dirInfo) {
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    const qint64 age = (qint64(now.tv_sec) - dirInfo.st_mtim.tv_sec) * 1'000'000'000 +
                       (now.tv_nsec - dirInfo.st_mtim.tv_nsec);
    return age >= MinListingAgeNs;
}

std::array<QStringList, 3> courseFiles(const QString& dataDir, const std::array<QString, 3>& heads,
                                       const QString& ext) {
    const QString key =
        dataDir + u'\n' + heads[0] + u'\n' + heads[1] + u'\n' + heads[2] + u'\n' + ext;
    ListingCache& cache = listingCache();
    struct stat dirInfo {};
    if (stat(QFile::encodeName(dataDir).constData(), &dirInfo) == 0) {
        const std::lock_guard lock(cache.mutex);
        const auto it = cache.listings.constFind(key);
        if (it != cache.listings.constEnd() && it->device == dirInfo.st_dev &&
            it->inode == dirInfo.st_ino && sameTime(it->modified, dirInfo.st_mtim))
            return ordinaryFiles(dataDir, it->found);
    }
    Candidates<3> found;
    if (!readCandidates(dataDir, heads, ext, found, dirInfo)) return {};
    std::array<QStringList, 3> files = ordinaryFiles(dataDir, found);
    const std::lock_guard lock(cache.mutex);
    if (oldEnough(dirInfo)) {
        if (cache.listings.size() >= MaxListings) cache.listings.clear();
        cache.listings.insert(key,
                              {dirInfo.st_dev, dirInfo.st_ino, dirInfo.st_mtim, std::move(found)});
    } else {
        cache.listings.remove(key);
    }
    return files;
}
#else
std::array<QStringList, 3> courseFiles(const QString& dataDir, const std::array<QString, 3>& heads,
                                       const QString& ext) {
    return matchingFilesOf<3>(dataDir, heads, ext);
}
#endif

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

FileStamp FileStampOf(const QString& path) {
#ifdef Q_OS_UNIX
    struct stat status {};
    if (stat(QFile::encodeName(path).constData(), &status) != 0) return {};
    const auto ms = [](const timespec& t) { return qint64(t.tv_sec) * 1000 + t.tv_nsec / 1000000; };
    return {qint64(status.st_size), ms(status.st_mtim), ms(status.st_ctim)};
#else
    const QFileInfo info(path);
    if (!info.exists()) return {};
    return {info.size(), info.lastModified().toMSecsSinceEpoch(),
            info.metadataChangeTime().toMSecsSinceEpoch()};
#endif
}

std::optional<QByteArray> ReadFileHead(const QString& path, qsizetype size) {
#ifdef Q_OS_UNIX
    // Read directly: a QFile looks at the file's status twice and fills a
    // buffer of 16 KiB, which for the few bytes a lookup reads of each of a
    // race's files costs more than the rest of it.
    const int fd = open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return std::nullopt;
    QByteArray bytes(size, Qt::Uninitialized);
    qsizetype got = 0;
    bool failed = false;
    while (got < size) {
        const ssize_t n = read(fd, bytes.data() + got, size_t(size - got));
        if (n < 0 && errno == EINTR) continue;
        failed = n < 0;
        if (n <= 0) break;
        got += n;
    }
    close(fd);
    if (failed) return std::nullopt;
    bytes.truncate(got);
    return bytes;
#else
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return std::nullopt;
    QByteArray bytes = file.read(size);
    if (file.error() != QFileDevice::NoError) return std::nullopt;
    return bytes;
#endif
}

QDate ReadFileDate(const QString& path) {
    const std::optional<QByteArray> bytes = ReadFileHead(path, 8);
    if (!bytes || bytes->size() != 8) return {};
    return RecordDate(QString::fromLatin1(*bytes));
}

RaceFileSet::RaceFileSet(const QString& dataDir, int courseCode, int raceNo)
    : dataDir_(dataDir), raceNo_(raceNo) {
    if (dataDir.isEmpty() || courseCode < 0 || raceNo <= 0) return;
    collect(courseFiles(dataDir, courseHeads(courseCode), QStringLiteral(".jra")));
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
        for (const QString& name : std::as_const(names)) race_[k].push_back({name, std::nullopt});
    }
}

QDate RaceFileSet::dateOf(const Dated& file) const {
    if (!file.date) file.date = ReadFileDate(pathIn(dataDir_, file.name));
    return *file.date;
}

QDate RaceFileSet::newestDayOf(const QString& prefix) const {
    const int kind = kindOf(prefix);
    QDate newest;
    if (kind < 0) return newest;
    for (const Dated& file : race_[kind]) {
        const QDate date = dateOf(file);
        if (date.isValid() && (!newest.isValid() || date > newest)) newest = date;
    }
    return newest;
}

QDate RaceFileSet::newestDay() const {
    QDate newest;
    for (const auto& kind : Kinds) {
        const QDate date = newestDayOf(QLatin1String(kind.first));
        if (date.isValid() && (!newest.isValid() || date > newest)) newest = date;
    }
    return newest;
}

RaceFile RaceFileSet::find(const QString& prefix, int stemLength, const QDate& day) const {
    const int kind = kindOf(prefix);
    if (kind < 0 || dataDir_.isEmpty()) return {};
    // A day asked for is looked for among this kind's files alone; the race's
    // newest day needs the dates of all its files.
    const QDate wanted = day.isValid() ? day : newestDay();
    if (!wanted.isValid()) {
        // No file of the race tells its day: the first stem of the course decides.
        return pickRaceFile(dataDir_, courseNames_[kind], stemLength, raceNo_);
    }
    for (const Dated& file : race_[kind]) {
        if (dateOf(file) == wanted)
            return {pathIn(dataDir_, file.name), file.name.left(stemLength), wanted};
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

void ForgetRaceListings() {
#ifdef Q_OS_UNIX
    ListingCache& cache = listingCache();
    const std::lock_guard lock(cache.mutex);
    cache.listings.clear();
#endif
}

bool ReadRecord1(const QString& path, FixedRecord& record) {
    const std::optional<QByteArray> bytes = ReadFileHead(path, record.length());
    if (!bytes) return false;
    record.assign(*bytes);
    return true;
}
