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

    // A date, a racecourse and a number: a race of a known day.
    bool valid() const { return date.isValid() && course >= 0 && number >= 1; }

    QString placeName() const { return RacecourseName(course); }
    // The race in a file name: "2026-12-06_東京11R", "東京11R" while the date is unknown.
    QString fileLabel() const {
        const QString race = placeName() + QString::number(number) + QLatin1Char('R');
        return date.isValid()
                   ? date.toString(QStringLiteral("yyyy-MM-dd")) + QLatin1Char('_') + race
                   : race;
    }
    bool operator==(const Race&) const = default;
};
