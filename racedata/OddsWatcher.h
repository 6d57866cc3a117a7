#pragma once

#include <QFileSystemWatcher>
#include <QHash>
#include <QList>
#include <QObject>
#include <QSet>
#include <QString>
#include <QTimer>
#include <utility>

#include "racedata/OddsHistory.h"

// Follows the "uo-" and "zo-" files of the data directory while the program
// runs and records every new content in the shared odds history, without
// polling: the directory is watched for files that appear or are replaced,
// and its odds files (the newest MaxWatched) for rewrites in place. A file that is
// short or unreadable is not stored and does not stop the watch.
class OddsWatcher : public QObject {
    Q_OBJECT
public:
    explicit OddsWatcher(QObject* parent = nullptr);

    // The watcher the whole program shares; windows connect to snapshotsAdded.
    static OddsWatcher& instance();

    // Watches the directory (another one replaces it; an empty or missing one
    // stops the watch) and, shortly after, records the odds files that changed
    // since the history last saw them.
    void watch(const QString& directory);
    const QString& directory() const { return directory_; }

    // Looks at the directory now instead of after the short delay.
    void scanNow();

    // Records a data file that a window has just read, as the watch records
    // the files it finds: snapshotsAdded names the race when it is new.
    SnapshotOutcome record(const QString& path);

    // Why the last recording failed (the history cannot be used), or empty.
    const QString& error() const { return error_; }

    // At most this many odds files, the newest, are watched for rewrites in place.
    static constexpr int MaxWatched = 4000;
    // A burst of writes is looked at once, this long after its last change.
    static constexpr int DelayMs = 50;

signals:
    // New snapshots were stored for these races (by the watch or by record()).
    void snapshotsAdded(const QList<Race>& races);

private:
    void scan();

    QString directory_;
    QString error_;
    QFileSystemWatcher watcher_;
    QTimer later_;
    QHash<QString, qint64> known_;  // file name -> modification time last looked at (ms)
    QSet<QString> rewritten_;       // names whose rewrite in place was signalled
    struct FileStamp {
        qint64 size, modified, changed;  // bytes; modification and status-change times (ms)
        bool operator==(const FileStamp&) const = default;
    };
    // Path -> the file as it was when record() last stored it, and the outcome.
    QHash<QString, std::pair<FileStamp, SnapshotOutcome>> stored_;
    bool listAgain_ = false;
};
