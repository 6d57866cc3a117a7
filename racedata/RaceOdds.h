#pragma once

#include <QByteArray>
#include <QDate>

#include <QByteArray>
#include <QString>
#include <array>
#include <vector>

#include "common/BetType.h"
#include "common/Race.h"

class UoRecord;
class ZoRecord;

// The one reader of a race's odds in its "uo-" and "zo-" records: the texts of
// every horse, pair and bracket pair, for the trend, the odds analysis and
// the returns analysis alike.

inline constexpr int MaxRunners = 18;
inline constexpr int BracketPairs = 36;

// The record that holds the odds of a bet type: 馬連 the "uo-", the rest "zo-".
enum class OddsFile { Uo = 0, Zo = 1 };
OddsFile FileOf(BetType kind);

struct RaceOdds {
    int runners = 0;           // from the uo- record, else from the zo- record
    bool hasWin = false;       // the zo- record was read (win, place, bracket odds)
    bool hasQuinella = false;  // the uo- record was read (quinella odds)
    // Texts as stored, blanks at either end removed; index horse - 1.
    std::vector<QString> win, placeLow, placeHigh;
    // Quinella odds texts by pair entry (UoRecord::EntryOfPair), N(N-1)/2 of them.
    std::vector<QString> quinella;
    // Bracket-quinella odds texts by bracket-pair entry (ZoRecord::EntryOfBracketPair).
    std::array<QString, BracketPairs> bracket;

    const QString& quinellaOf(int a, int b) const;  // a != b, either order
};

// The odds of the race from its records; a null record is a missing file.
RaceOdds RaceOddsOf(const UoRecord* uo, const ZoRecord* zo);

// One horse's or pair's odds: key "7" or "3-7", the text as the record holds
// it without the blanks around it ("ﾄﾘｹｼ", "取消" kept; 複勝 as "1.2-1.5").
struct OddsEntry {
    QString key;
    QString text;
};

// The entries of a kind in a record's bytes (a "uo-" record for 馬連, "zo-"
// for the rest), in the record's order: the horses of the runners, the pairs
// of the runners, the 36 bracket pairs. None when the file holds no odds of
// the kind.
std::vector<OddsEntry> OddsEntries(OddsFile file, const QByteArray& raw, BetType kind);

// What the odds analysis reads from the data directory for one race.
struct RaceOddsRead {
    RaceOdds odds;
    QString raceTitle;  // from the zo- record, else the uo- record; as stored
    QString raceDate;   // "yyyy年mm月dd日", empty when unknown
    bool uoMissing = true;
    bool zoMissing = true;
    QString uoPath, zoPath;   // the files read; empty when missing
    QByteArray uoRaw, zoRaw;  // their first records as read
    QDate day;                // the records' date (zo- first), null when they hold none
};

// Looks up and reads the race's uo- and zo- files of the race's date (null:
// the race's newest day), read-only, into records of its own (the records the
// other windows hold are not touched). A race without a racecourse or number
// finds no file.
RaceOddsRead ReadRaceOdds(const QString& dataDir, const Race& race);
