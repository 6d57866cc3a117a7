#pragma once

#include <QString>
#include <optional>

#include "common/Race.h"
#include "racedata/Records.h"

// The text without the blanks at either end, half-width and full-width alike.
QString TrimBlanks(QStringView text);

// The race a result record names, dated with its race day: the racecourse by
// its name with the blanks at either end trimmed (-1 for a name that is none),
// the race by its number (0 when the field is not a whole number from 1 to 12).
Race RaceOfResult(const KsRecord& ks);
