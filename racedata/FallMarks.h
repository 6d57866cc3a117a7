#pragma once

#include <QByteArray>
#include <QHash>
#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

#include "common/BetType.h"
#include "common/Race.h"
#include "racedata/OddsHistory.h"

// What an odds window shows of the market's movement: the falls of 20 % or
// more from the snapshot before the record it shows to that record.
struct FallMarks {
    QHash<QString, OddsFall> byKey;  // every entry that fell, by "7" or "3-7"
    QStringList line;                // the sharpest three as FallText, sharpest first
};

// What finds the falls of some kinds in the record shown (its exact bytes, as
// a lookup read them) of the race's racecourse and number, one FallMarks a
// kind. The program sets the trend's rule (TrendFallMarks); none until it
// does (an empty function removes it), and the odds windows mark nothing.
using FallMarksSource = std::function<std::vector<FallMarks>(
    const Race& race, OddsFile file, const QByteArray& shown, const std::vector<BetType>& kinds)>;
void SetFallMarksSource(FallMarksSource source);

// The marks of the source set: one a kind, empty without a source.
std::vector<FallMarks> FallMarksOf(const Race& race, OddsFile file, const QByteArray& shown,
                                   const std::vector<BetType>& kinds);
FallMarks FallMarksOf(const Race& race, OddsFile file, const QByteArray& shown, BetType kind);

// The tooltip of a cell that fell: "前回 31.5（14:20）".
QString FallTip(const OddsFall& fall);
