#pragma once

#include <QString>
#include <QStringView>
#include <array>
#include <optional>
#include <vector>

#include "common/Race.h"

class UoRecord;
class ZoRecord;

// The odds of one race as the odds analysis reads them, and the few rules it
// borrows from the rest of the program (which odds texts are usable, the
// bracket table, the pair numbering, composite odds as shown). Everything the
// analysis needs from the record types and the other folders goes through this
// file, so that it can follow them when they change.

inline constexpr int MaxRunners = 18;
inline constexpr int BracketPairs = 36;

struct MarketOdds {
    int runners = 0;           // from the uo- record, else from the zo- record
    bool hasWin = false;       // the zo- record was read (win, place, bracket odds)
    bool hasQuinella = false;  // the uo- record was read (quinella odds)
    // Texts as stored, blanks at either end removed; index horse - 1.
    std::vector<QString> win, placeLow, placeHigh;
    // Quinella odds texts by pair entry (QuinellaIndex), N(N-1)/2 of them.
    std::vector<QString> quinella;
    // Bracket-quinella odds texts by bracket-pair entry (BracketPairIndex).
    std::array<QString, BracketPairs> bracket;

    const QString& quinellaOf(int a, int b) const;  // a != b, either order
};

// The odds of the race from its records; a null record is a missing file.
MarketOdds MarketOddsOf(const UoRecord* uo, const ZoRecord* zo);

// The value of an odds text when the distribution would use it (ReadOdds
// reads odds), else nullopt (not a number, 0 or less, ﾄﾘｹｼ, blank).
std::optional<double> UsableOdds(QStringView text);

// The bracket (1 to 8) of a horse in a race of that many runners; 0 when the
// race has too few runners for brackets.
int HorseBracket(int horse, int runners);

// The entry of quinella pair a < b among the runners' pairs; -1 when none.
int QuinellaIndex(int a, int b, int runners);
// The entry of bracket pair a <= b (1-1, 1-2, … 8-8); -1 when none.
int BracketPairIndex(int a, int b);

// Composite odds of some odds texts (1 / the sum of 1 / odds over the usable
// ones), nullopt when none is usable; shown with two decimals rounded down.
std::optional<double> Composite(const std::vector<QString>& odds);
QString CompositeFigure(double composite);

// What the window reads from the data directory for one race.
struct MarketRead {
    MarketOdds odds;
    QString raceTitle;  // from the zo- record, else the uo- record; as stored
    QString raceDate;   // "yyyy年mm月dd日", empty when unknown
    bool uoMissing = true;
    bool zoMissing = true;
};

// Looks up and reads the race's uo- and zo- files of the race's date (null:
// the race's newest day), read-only, into records of its own (the records the
// other windows hold are not touched). A race without a racecourse or number
// finds no file.
MarketRead ReadMarket(const QString& dataDir, const Race& race);
