#pragma once

#include <QHash>
#include <QString>
#include <QStringList>
#include <vector>

#include "common/Race.h"
#include "trend/OddsHistory.h"

// What an odds window shows of the market's movement: the falls of 20 % or
// more from the snapshot before the record it shows to that record.
struct FallMarks {
    QHash<QString, OddsFall> byKey;  // every entry that fell, by "7" or "3-7"
    QStringList line;                // the sharpest three as FallText, sharpest first
};

// The falls of the kind in the record shown (its exact bytes, as a lookup
// read them) of the race's racecourse and number. None when the odds history
// is not in use, does not hold the record, or holds nothing earlier of the race.
FallMarks FallMarksOf(const Race& race, OddsFile file, const QByteArray& shown, BetType kind);
// The same for several kinds of one record (単勝 and 複勝), reading the history once.
std::vector<FallMarks> FallMarksOf(const Race& race, OddsFile file, const QByteArray& shown,
                                   const std::vector<BetType>& kinds);

// The tooltip of a cell that fell: "前回 31.5（14:20）".
QString FallTip(const OddsFall& fall);
