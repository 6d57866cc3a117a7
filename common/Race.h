#pragma once

#include <QDate>
#include <QString>

#include "common/Racecourse.h"

// A race of a race day: its date (null while unknown, as when bets are planned
// before the result exists), the racecourse's course code and the race number.
struct Race {
    QDate date;
    int course = -1;  // course code 0..9, -1 for none
    int number = 0;   // 1..12, 0 for none

    QString placeName() const { return RacecourseName(course); }
    bool operator==(const Race&) const = default;
};
