#pragma once

#include <QDate>
#include <QString>

// The race date of a record field YYYYMMDD as "yyyy年mm月dd日"; the empty text
// when the field does not hold a valid calendar date.
QString RaceDateDisplay(QStringView field);

// The date of a record field YYYYMMDD, strictly: eight digits that make a
// calendar date; an invalid date otherwise ("2025111 ", blanks, zero bytes).
QDate RecordDate(QStringView field);
