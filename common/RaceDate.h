#pragma once

#include <QString>

// The race date of a record field YYYYMMDD as "yyyy年mm月dd日"; the empty text
// when the field does not hold a valid calendar date.
QString RaceDateDisplay(QStringView field);
