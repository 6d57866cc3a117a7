#include "racedata/OddsWatcher.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <array>
#include <vector>

#include "racedata/RaceFiles.h"

namespace {

std::array<qint64, 3> stampOf(const QFileInfo& info) {
    const FileStamp stamp = FileStampOf(info.filePath());
    return {stamp.size, stamp.modified, stamp.changed};
}

}  // namespace

OddsWatcher::OddsWatcher(QObject* parent) : QObject(parent) {
    later_.setSingleShot(true);
    later_.setInterval(DelayMs);
    connect(&later_, &QTimer::timeout, this, &OddsWatcher::scan);
    connect(&watcher_, &QFileSystemWatcher::directoryChanged, this, [this] {
        listAgain_ = true;
        later_.start();
    });
    connect(&watcher_, &QFileSystemWatcher::fileChanged, this, [this](const QString& path) {
        rewritten_.insert(QFileInfo(path).fileName());
        later_.start();
    });
}

OddsWatcher& OddsWatcher::instance() {
    // A child of the application: gone with it.
    static OddsWatcher* shared = new OddsWatcher(QCoreApplication::instance());
    return *shared;
}

void OddsWatcher::watch(const QString& directory) {
    const QString dir =
        directory.isEmpty() ? QString() : QDir::cleanPath(QFileInfo(directory).absoluteFilePath());
    if (dir == directory_ && !directory_.isEmpty()) return;
    if (!watcher_.directories().isEmpty()) watcher_.removePaths(watcher_.directories());
    if (!watcher_.files().isEmpty()) watcher_.removePaths(watcher_.files());
    directory_ = dir;
    known_.clear();
    rewritten_.clear();
    listAgain_ = false;
    later_.stop();
    if (directory_.isEmpty() || !QFileInfo(directory_).isDir()) return;
    watcher_.addPath(directory_);
    OddsHistory& history = SharedOddsHistory();
    known_ = history.seenFiles(directory_);
    listAgain_ = true;
    later_.start();
}

SnapshotOutcome OddsWatcher::record(const QString& path) {
    const QFileInfo info(path);
    // A file read again as it was when this process last stored it (each time
    // a window opens on it) needs no look at the history. Any write changes the
    // status-change time, even one that puts the modification time back.
    const auto [size, modified, changed] = stampOf(info);
    const FileStamp stamp{size, modified, changed};
    const QString key = info.absoluteFilePath();
    if (const auto it = stored_.constFind(key); it != stored_.constEnd() && it->first == stamp)
        return it->second;
    SnapshotOutcome outcome = SharedOddsHistory().record(path);
    if (!directory_.isEmpty() && QDir::cleanPath(info.absolutePath()) == directory_)
        known_.insert(info.fileName(), stamp.modified);
    if (outcome.added) emit snapshotsAdded({outcome.race});
    if (outcome.stored) {
        SnapshotOutcome again = outcome;
        again.added = false;
        stored_.insert(key, {stamp, again});
    } else {
        stored_.remove(key);
    }
    return outcome;
}

void OddsWatcher::scanNow() {
    later_.stop();
    scan();
}

void OddsWatcher::scan() {
    if (directory_.isEmpty()) return;
    const QDir dir(directory_);
    QStringList changed;
    std::vector<std::pair<qint64, QString>> present;  // modification time and name
    const auto look = [&](const QString& name, qint64 modified) {
        const auto it = known_.constFind(name);
        if (it == known_.constEnd() || *it != modified || rewritten_.contains(name))
            changed << name;
        present.emplace_back(modified, name);
    };
    if (listAgain_) {
        // Only the names of odds files are matched, and only names that can be
        // a race's odds file are looked at.
        QDirIterator it(directory_, {QStringLiteral("uo-*.jra"), QStringLiteral("zo-*.jra")},
                        QDir::Files);
        while (it.hasNext()) {
            it.next();
            const QString name = it.fileName();
            if (ParseOddsFileName(name))
                look(name, it.fileInfo().lastModified().toMSecsSinceEpoch());
        }
    } else {
        for (const QString& name : std::as_const(rewritten_)) {
            const QFileInfo info(dir.filePath(name));
            if (info.isFile()) look(name, info.lastModified().toMSecsSinceEpoch());
        }
    }
    // PAT95 rewrites a file in place, which changes no entry of the directory:
    // the odds files are watched themselves, the newest first. A file replaced
    // under its name is no longer watched: it is watched again here.
    const qsizetype keep = std::min<qsizetype>(present.size(), MaxWatched);
    std::partial_sort(present.begin(), present.begin() + keep, present.end(),
                      [](const auto& a, const auto& b) { return a.first > b.first; });
    const QStringList watched = watcher_.files();
    const QSet<QString> watchedSet(watched.begin(), watched.end());
    QStringList add;
    for (qsizetype i = 0; i < keep; ++i) {
        const QString path = dir.filePath(present[i].second);
        if (!watchedSet.contains(path)) add << path;
    }
    if (!add.isEmpty()) watcher_.addPaths(add);
    listAgain_ = false;
    rewritten_.clear();

    if (changed.isEmpty()) return;
    OddsHistory& history = SharedOddsHistory();
    QList<Race> races;
    const bool batch = history.begin();
    error_.clear();
    for (const QString& name : std::as_const(changed)) {
        const QString path = dir.filePath(name);
        const SnapshotOutcome outcome = history.record(path);
        // A refused file is looked at again once it changes.
        known_.insert(name, QFileInfo(path).lastModified().toMSecsSinceEpoch());
        if (outcome.added && !races.contains(outcome.race)) races << outcome.race;
        if (!outcome.stored && !history.error().isEmpty()) error_ = history.error();
    }
    if (batch && !history.commit()) {
        error_ = history.error();
        races.clear();
    }
    if (!races.isEmpty()) emit snapshotsAdded(races);
}
