#pragma once

#include <QByteArray>
#include <vector>

#include "common/BetType.h"
#include "common/Race.h"
#include "racedata/FallMarks.h"

// The falls of the kinds in the record shown (its exact bytes, as a lookup
// read them) of the race's racecourse and number, by the 20 % rule, reading
// the history once: the FallMarksSource the program sets. None when the odds
// history is not in use, does not hold the record, or holds nothing earlier
// of the race.
std::vector<FallMarks> TrendFallMarks(const Race& race, OddsFile file, const QByteArray& shown,
                                      const std::vector<BetType>& kinds);
