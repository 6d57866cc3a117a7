#pragma once

#include <QByteArray>
#include <QDate>
#include <QString>
#include <QStringList>
#include <array>
#include <optional>
#include <utility>
#include <vector>

#include "racedata/Records.h"

// The one-character race part of a data-file name: "1".."9", then "a", "b",
// "c" for races 10, 11, 12.
QString RaceChar(int raceNo);

struct RaceFile {
    QString path;  // full path of the race's file; empty when it is missing
    QString stem;  // first stemLength characters of the file's name (see FindRaceFile)
    QDate date;    // the date the file holds; null when it cannot be read
};

// Up to `size` bytes from the start of a file, read-only; nullopt when the file
// cannot be opened or read (a directory cannot).
std::optional<QByteArray> ReadFileHead(const QString& path, qsizetype size);

// A file's size and its modification and status-change times in milliseconds
// since the epoch; all zero when it cannot be looked at. Taken from the system
// directly: a file time as QFileInfo gives it is converted to local time,
// which looks at the time zone files each time.
struct FileStamp {
    qint64 size = 0;
    qint64 modified = 0;
    qint64 changed = 0;
    bool operator==(const FileStamp&) const = default;
};
FileStamp FileStampOf(const QString& path);

// The date a data file holds in its first eight bytes (YYYYMMDD, the same
// place in "uo-", "zo-" and "ks-" records); null when the file cannot be read
// or the field is no calendar date.
QDate ReadFileDate(const QString& path);

// A race's data files of every kind and stem, found with one listing of the
// directory (kept for the next lookup while the directory is unchanged), each
// with the date it holds. PAT95 keeps a file per meeting and
// day, so last week's files of a race lie beside today's under other stems;
// a race is shown on one day: the day chosen, else its newest.
class RaceFileSet {
public:
    RaceFileSet(const QString& dataDir, int courseCode, int raceNo);

    // The newest date among the race's files of all three kinds; null when
    // none of them has a readable date.
    QDate newestDay() const;
    // The newest date among the race's files of one kind; null when none.
    QDate newestDayOf(const QString& prefix) const;
    // The race's file of the kind for the day (day null: the race's newest
    // day). A file without a readable date is used only while no file of the
    // race has one, by the older rule: the first name in case-insensitive name
    // order matching prefix + courseCode + "*.jra" gives the stem, and stem +
    // race character + ".jra" must exist (and only with no day asked for).
    RaceFile find(const QString& prefix, int stemLength, const QDate& day = {}) const;
    // Every file of the race of the kind whatever its date, in name order.
    QStringList all(const QString& prefix) const;

private:
    friend class RaceDirectory;
    RaceFileSet() = default;
    void collect(const std::array<QStringList, 3>& courseNames);

    // A file's date is read the first time a question needs it: a settlement
    // asks only of the day's odds files, and reads the results itself.
    struct Dated {
        QString name;
        mutable std::optional<QDate> date;
    };
    QDate dateOf(const Dated& file) const;
    QString dataDir_;
    int raceNo_ = 0;
    std::array<QStringList, 3> courseNames_;  // "uo-", "zo-", "ks-" + course: every name
    std::array<std::vector<Dated>, 3> race_;  // the race's files of each kind, name order
};

// Looks up the data file of a race for a day (null: the race's newest day), as
// RaceFileSet::find does. Names match case-insensitively; only regular files
// count. An empty dataDir finds nothing.
RaceFile FindRaceFile(const QString& dataDir, const QString& prefix, int stemLength, int courseCode,
                      int raceNo, const QDate& day = {});

// Every data file of the race whatever its stem: the regular files named
// prefix + courseCode + (stemLength - prefix - 1 characters) + race character +
// ".jra", in the order FindRaceFile reads names. PAT95 keeps a file per meeting
// and day, so last week's result of a race can lie beside today's.
QStringList FindRaceFiles(const QString& dataDir, const QString& prefix, int stemLength,
                          int courseCode, int raceNo);

// The race files ("*.jra") of a data directory, listed once: for work that
// looks up many races at one moment, as a settlement does, where a listing per
// lookup would read a large directory hundreds of times. find and findAll
// answer as FindRaceFile and FindRaceFiles would have at the listing's moment.
class RaceDirectory {
public:
    explicit RaceDirectory(const QString& dataDir);
    RaceFile find(const QString& prefix, int stemLength, int courseCode, int raceNo,
                  const QDate& day = {}) const;
    QStringList findAll(const QString& prefix, int stemLength, int courseCode, int raceNo) const;
    RaceFileSet race(int courseCode, int raceNo) const;

private:
    QStringList matching(const QString& head) const;

    QString dataDir_;
    std::vector<std::pair<QString, QString>> names_;  // case-folded name, name
};

// RaceFileSet keeps the listing of a course's race files and uses it again
// while the directory is unchanged (see RaceFiles.cpp); this forgets every
// listing kept, so that the next lookup reads the directory, as for measuring.
void ForgetRaceListings();

// Reads record 1 of a data file, read-only, into the record; a file shorter
// than one record reads as if padded with blanks. False, with the record left
// as it was, when the file cannot be opened or read.
bool ReadRecord1(const QString& path, FixedRecord& record);
