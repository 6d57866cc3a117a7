#include "racedata/RaceDays.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QHash>
#include <QMutex>
#include <algorithm>
#include <map>
#include <set>

#include "common/Racecourse.h"
#include "racedata/RaceFiles.h"

namespace {

struct Known {
    qint64 size = -1;
    qint64 modified = 0;
    QDate date;
};

// Dates already read, by path: a folder of a season's files is read whole once.
QMutex cacheLock;
QHash<QString, Known>& cache() {
    static QHash<QString, Known> known;
    return known;
}

// The course code a data-file name carries after its prefix; -1 for none.
int courseOfName(const QString& name) {
    if (name.size() < 4) return -1;
    const QChar c = name.at(3);
    return c >= u'0' && c <= u'9' ? c.unicode() - u'0' : -1;
}

bool isDataName(const QString& name) {
    return name.size() > 8 && name.endsWith(QLatin1String(".jra"), Qt::CaseInsensitive) &&
           (name.startsWith(QLatin1String("uo-"), Qt::CaseInsensitive) ||
            name.startsWith(QLatin1String("zo-"), Qt::CaseInsensitive) ||
            name.startsWith(QLatin1String("ks-"), Qt::CaseInsensitive));
}

int courseRank(int code) {
    for (std::size_t i = 0; i < Racecourses.size(); ++i) {
        if (Racecourses[i].code == code) return static_cast<int>(i);
    }
    return static_cast<int>(Racecourses.size());
}

}  // namespace

QString FolderDay::label() const {
    QStringList names;
    for (int code : courses) names << RacecourseName(code);
    return date.toString(QStringLiteral("yyyy/MM/dd")) + QLatin1Char(' ') +
           names.join(QChar(u'・'));
}

std::vector<FolderDay> ListRaceDays(const QString& dataDir) {
    std::map<QDate, std::set<int>> days;
    if (dataDir.isEmpty()) return {};
    QDirIterator it(dataDir, QDir::Files);
    QMutexLocker lock(&cacheLock);
    while (it.hasNext()) {
        it.next();
        const QString name = it.fileName();
        if (!isDataName(name)) continue;
        const int course = courseOfName(name);
        if (course < 0) continue;
        const QFileInfo info = it.fileInfo();
        const qint64 modified = info.lastModified().toMSecsSinceEpoch();
        Known& known = cache()[it.filePath()];
        if (known.size != info.size() || known.modified != modified) {
            known = {info.size(), modified, ReadFileDate(it.filePath())};
        }
        if (known.date.isValid()) days[known.date].insert(course);
    }
    std::vector<FolderDay> list;
    for (auto d = days.rbegin(); d != days.rend(); ++d) {
        FolderDay day{d->first, {d->second.begin(), d->second.end()}};
        std::sort(day.courses.begin(), day.courses.end(),
                  [](int a, int b) { return courseRank(a) < courseRank(b); });
        list.push_back(std::move(day));
    }
    return list;
}

QDate NewestFolderDay(const QString& dataDir) {
    const std::vector<FolderDay> days = ListRaceDays(dataDir);
    return days.empty() ? QDate() : days.front().date;
}

DayCaption RaceDayCaption(const QDate& day, bool chosen, const QDate& newestInFolder) {
    DayCaption caption;
    if (!day.isValid()) return caption;
    caption.text = QStringLiteral("開催日 ") + day.toString(QStringLiteral("yyyy年MM月dd日"));
    if (chosen) caption.text += QStringLiteral("（選択中）");
    caption.earlier = newestInFolder.isValid() && day < newestInFolder;
    if (caption.earlier) caption.text += QStringLiteral(" 前の開催");
    return caption;
}
