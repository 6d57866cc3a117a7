#pragma once

#include <QDate>
#include <QString>
#include <optional>

#include "racedata/Records.h"

// One "ks-" result file as read, with what decides whether it can be used: a
// result counts only when the file holds a whole record whose date is a
// calendar date. The settlement and the returns analysis judge results alike.
struct ResultFile {
    KsRecord ks;
    bool complete = false;   // the file holds a whole record
    QDate date;              // invalid when the date field is no calendar date
    bool blankDate = false;  // 8 blanks: no result loaded yet

    bool usable() const { return complete && date.isValid(); }
};

// Reads record 1 of a result file, read-only; nothing when the file cannot be
// opened or read.
std::optional<ResultFile> ReadResultFile(const QString& path);
