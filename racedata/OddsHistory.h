#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QHash>
#include <QList>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>
#include <QVariant>
#include <map>
#include <optional>
#include <vector>

#include "common/BetType.h"
#include "common/Race.h"
#include "common/SqliteFile.h"
#include "racedata/RaceOdds.h"

// The odds history: every distinct content of a race's "uo-" and "zo-" record
// that the program has seen, with the time the file was written and the time
// it was seen, in one SQLite file in the user's data directory beside the
// ledger. Plain functions and one store class; no widgets.

// yyyymmdd of a date, 0 for a null one (as the history stores race dates).
int DateKeyOf(const QDate& date);

// Whether new snapshots of `added` concern a window showing `shown` (its race
// on the day in force): the same race on the same day, or, while no day is
// chosen, a newer day of the race, which is then the race's newest. A rewrite
// of an earlier day's file of the race does not concern it.
bool ConcernsShownRace(const Race& shown, const Race& added, bool dayChosen);
// Whether any of the races added concerns it.
bool ConcernsShownRace(const Race& shown, const QList<Race>& added, bool dayChosen);

// Course code, race number and file kind of an odds file's name: prefix
// "uo-" or "zo-", the course digit, one character, the race character, ".jra"
// (any case). Nothing for any other name.
struct OddsFileName {
    OddsFile file;
    int course;
    int race;
};
std::optional<OddsFileName> ParseOddsFileName(const QString& fileName);

// The race date (yyyymmdd) of a "uo-" or "zo-" record's bytes, 0 when it holds none.
int RaceDateKey(OddsFile file, const QByteArray& raw);

struct OddsSnapshot {
    qint64 id = 0;
    Race race;
    OddsFile file = OddsFile::Uo;
    QDateTime modified;  // when PAT95 wrote the file
    QDateTime seen;      // when the program first saw this content
    QByteArray raw;      // the record's exact bytes
};

// What one recording did.
struct SnapshotOutcome {
    bool stored = false;  // the content is in the history (now or from before)
    bool added = false;   // it was not there before
    Race race;
    OddsFile file = OddsFile::Uo;
    QString error;  // why it was not stored
};

// A fall between two snapshots of a race, e.g. 3-7 from 31.5 to 12.0 (-61.9 %).
struct OddsFall {
    QString key;  // "7" or "3-7"
    QString previousOdds;
    QString currentOdds;
    double percent = 0;  // change, negative
    QDateTime previousTime;
    QDateTime currentTime;
};

// The history's file: AppDataLocation + "/odds-history.sqlite", unless replaced.
QString OddsHistoryPath();
// Replaces the path (tests, benchmarks); empty restores the default.
void SetOddsHistoryPath(const QString& path);

class OddsHistory : public SqliteStore {
public:
    static constexpr int SchemaVersion = 1;
    // Snapshots whose file was written longer ago than this are pruned.
    static constexpr int KeepDays = 366;

    OddsHistory();
    ~OddsHistory();

    // Opens the history, creating it (and its directory) when there is none,
    // and prunes what is older than a year. A file that is not such a
    // database, is cut short or cannot be opened is left as it is: false, with
    // error() naming it. One of a newer version is opened read-only, with
    // notice() saying so.
    bool open(const QString& path = OddsHistoryPath());

    // Records a data file: reads it read-only and stores record 1 unless the
    // same bytes are stored for the race already. A file that is no odds file,
    // is shorter than its record, cannot be read or holds no valid race date
    // is not stored; the outcome says why. Never throws.
    SnapshotOutcome record(const QString& path);
    // The same for bytes already read; directory, when given, remembers the
    // file as seen there (see seenFiles).
    SnapshotOutcome record(const QString& fileName, const QByteArray& bytes,
                           const QDateTime& modified, const QString& directory = {});

    // A race's snapshots of one file kind, oldest written first.
    std::vector<OddsSnapshot> snapshots(const Race& race, OddsFile file);
    // The snapshot of the same race and file written just before this one.
    std::optional<OddsSnapshot> previous(const OddsSnapshot& snapshot);
    // The snapshot of a course's race holding exactly these record bytes (as
    // a window read them); the race date is the record's.
    std::optional<OddsSnapshot> snapshotOf(int course, int race, OddsFile file,
                                           const QByteArray& raw);
    // The race's newest snapshot, if it was written after newerThan (any when
    // newerThan is null).
    std::optional<OddsSnapshot> latest(const Race& race, OddsFile file,
                                       const QDateTime& newerThan = {});
    // The latest race date with snapshots of the course and race, null when none.
    QDate latestDate(int course, int race);

    // The odds files recorded from a directory: name -> modification time
    // (ms since the epoch) of the content recorded last.
    QHash<QString, qint64> seenFiles(const QString& directory);

    // Removes snapshots of files written before the cutoff; the number removed,
    // -1 on failure.
    int prune(const QDateTime& cutoff);

    // Groups recordings into one transaction (the watcher records a burst of
    // files at once). commit() after every begin() that returned true.
    bool begin();
    bool commit();

private:
    void close();
    std::vector<OddsSnapshot> select(const QString& where, const QVariantList& values,
                                     const QString& tail, const Race& race, OddsFile file);
    // The statement prepared once and kept (preparing costs more than running
    // the short queries a window makes), its values bound; nullptr when it
    // cannot be prepared. finish() it after use.
    QSqlQuery* statement(const QString& sql, const QVariantList& values);

    std::map<QString, QSqlQuery> statements_;
};

// The history the whole program shares, opened at OddsHistoryPath() on first
// use (and again after the path has been replaced). Check isOpen()/error().
OddsHistory& SharedOddsHistory();

// The shared history when it is open at OddsHistoryPath() already (the odds
// files read so far have been recorded in it); nullptr otherwise, without
// opening it.
OddsHistory* OpenedOddsHistory();

// Records a data file in the shared history: what every window calls after
// reading a "uo-" or "zo-" file.
SnapshotOutcome RecordSnapshot(const QString& path);
