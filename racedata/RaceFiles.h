#pragma once

#include <QString>
#include <QStringList>
#include <utility>
#include <vector>

#include "racedata/Records.h"

// The one-character race part of a data-file name: "1".."9", then "a", "b",
// "c" for races 10, 11, 12.
QString RaceChar(int raceNo);

struct RaceFile {
    QString path;  // full path of the race's file; empty when it is missing
    QString stem;  // first stemLength characters of the first matching name; "" if none
};

// Looks up the data file of a race: the first name (in case-insensitive name
// order) of a regular file in dataDir matching prefix + courseCode + "*.jra"
// gives the stem, and the file stem + race character + ".jra" must exist as a
// regular file. Names match case-insensitively. An empty dataDir finds nothing.
RaceFile FindRaceFile(const QString& dataDir, const QString& prefix, int stemLength, int courseCode,
                      int raceNo);

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
    RaceFile find(const QString& prefix, int stemLength, int courseCode, int raceNo) const;
    QStringList findAll(const QString& prefix, int stemLength, int courseCode, int raceNo) const;

private:
    QStringList matching(const QString& head) const;

    QString dataDir_;
    std::vector<std::pair<QString, QString>> names_;  // case-folded name, name
};

// Reads record 1 of a data file, read-only, into the record; a file shorter
// than one record reads as if padded with blanks. False, with the record left
// as it was, when the file cannot be opened or read.
bool ReadRecord1(const QString& path, FixedRecord& record);
