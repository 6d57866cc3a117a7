#pragma once

#include <QDate>
#include <QString>
#include <vector>

// A race day that the data directory holds: a date found in its "uo-", "zo-"
// or "ks-" files, with the racecourses that have a file of that date.
struct FolderDay {
    QDate date;
    std::vector<int> courses;  // course codes, in the main window's order of racecourses

    // "2026/11/29 東京・京都"
    QString label() const;
};

// Every race day of the data directory, newest first. A file's date is read
// once and kept while its size and modification time stay the same, so that
// asking again after a download reads only the new files.
std::vector<FolderDay> ListRaceDays(const QString& dataDir);

// The newest race day of the data directory; null when no file has a date.
QDate NewestFolderDay(const QString& dataDir);

// "開催日 2026年12月06日", with "（選択中）" while the day is chosen and "前の開催"
// after it while it is older than the newest day of the folder; empty for a
// null day. The status bar's first panel shows it.
struct DayCaption {
    QString text;
    bool earlier = false;  // older than the folder's newest day: shown in red
};
DayCaption RaceDayCaption(const QDate& day, bool chosen, const QDate& newestInFolder);
