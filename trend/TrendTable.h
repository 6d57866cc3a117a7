#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

#include "trend/OddsHistory.h"

// The odds of a race over its snapshots, as plain values: what the trend
// window shows, what the odds windows mark, and the 20 % rule.

// One horse's or pair's odds in a snapshot: key "7" or "3-7", the text as the
// record holds it without the blanks around it ("ﾄﾘｹｼ", "取消" kept; 複勝 as
// "1.2-1.5").
struct OddsEntry {
    QString key;
    QString text;
};

// The entries of a kind in a record's bytes (a "uo-" record for 馬連, "zo-"
// for the rest), in the record's order: the horses of the runners, the pairs
// of the runners, the 36 bracket pairs.
std::vector<OddsEntry> OddsEntries(OddsFile file, const QByteArray& raw, BetType kind);

// Odds in hundredths, exactly: "31.5" is 3150. Nothing for a text that is no
// odds (blank, "ﾄﾘｹｼ"); 複勝 is valued by its lower bound.
std::optional<qint64> OddsHundredths(QStringView text);

enum class OddsMove { None, Fall, Rise };
// The highest odds a record holds for the kind, in hundredths: 999.9 for 単勝,
// 複勝 and 枠連, 9999.9 for 馬連. Odds at it mean "at least that".
qint64 OddsCapHundredths(BetType kind);
// Odds at the kind's cap (複勝 by its lower bound).
bool CappedOdds(QStringView text, BetType kind);
// "999.9以上" for capped odds, the text itself otherwise.
QString OddsShown(const QString& text, BetType kind);

// A fall of 20 % or more (31.5 to 25.2 is exactly -20 % and counts), a rise of
// 20 % or more, or neither; neither when either text is no odds.
OddsMove MoveBetween(QStringView previous, QStringView current);
// The change from previous to current in percent; nothing when either is no odds.
std::optional<double> ChangePercent(QStringView previous, QStringView current);
// The same for two odds of a kind: neither move nor change when either is at
// the cap, whose true value is unknown.
OddsMove MoveBetween(QStringView previous, QStringView current, BetType kind);
std::optional<double> ChangePercent(QStringView previous, QStringView current, BetType kind);
// "−62%", "+5%", "0%": whole percent, rounded half away from zero.
QString ChangeText(double percent);

// Falls of 20 % or more from one snapshot to a later one of the same race,
// sharpest first (ties in record order), at most limit.
std::vector<OddsFall> FallsBetween(const OddsSnapshot& previous, const OddsSnapshot& current,
                                   BetType kind, int limit);
// "急落 3-7 31.5→12.0 (−62%) 14:20→14:35".
QString FallText(const OddsFall& fall);

// Column headings of snapshot times: "HH:mm", with seconds where two times
// share a minute.
QStringList TimeHeadings(const std::vector<QDateTime>& times);

// The table of the trend window: a row per horse or pair, a column per
// snapshot (oldest first), and the change from first to last.
struct TrendTable {
    std::vector<QDateTime> times;               // modification time of each snapshot
    QStringList headings;                       // TimeHeadings(times)
    QStringList keys;                           // row keys, in record order
    std::vector<QStringList> cells;             // [row][column] odds text, "" when absent
    std::vector<std::optional<double>> change;  // first to last, percent; none from capped odds
    int rows() const { return static_cast<int>(keys.size()); }
    int columns() const { return static_cast<int>(times.size()); }
};

// Rows of the latest snapshot's entries (and of keys that only earlier ones
// hold), leaving out rows that are blank in every snapshot.
TrendTable BuildTrendTable(const std::vector<OddsSnapshot>& snapshots, BetType kind);

// The rows with the largest falls from first to last, at most count, largest first.
std::vector<int> LargestFalls(const TrendTable& table, int count);

// The table as CSV: UTF-8 with a byte-order mark, CR LF; a heading row
// (the kind's name, the snapshot times, 変化), then a row a horse or pair.
QByteArray TrendCsv(const TrendTable& table, BetType kind);
