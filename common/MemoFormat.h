#pragma once

#include <QDate>
#include <QString>
#include <QStringView>
#include <vector>

#include "common/BetSlip.h"
#include "common/BetType.h"

// The memo's bet blocks: the writer of the block that OK in the distribution
// window appends, and the reader the settlement uses.
//
// Writing: a heading line (racecourse, race number and "R", bet type,
// tab-separated), one line a bet (tab, the bet, tab, the stake), and an empty
// line; every line ends with CR LF. A 単・複勝 bet is one number, the others two
// joined by "-"; a bet without its numbers is left out.
QString WriteMemoBlock(const BetSlip& slip);

// The date line that sets the day of the blocks under it: "2026/12/06" and CR LF.
QString WriteMemoDateLine(const QDate& day);
// Whether a block of the day appended to the memo needs a date line above it:
// the memo's last date line is of another day, or there is none. Never for a
// null day.
bool MemoNeedsDateLine(QStringView memo, const QDate& day);
// What OK in the distribution window appends to the memo: a line end when the
// memo's last line has none, the date line of the slip's race day when needed,
// then the block.
QString WriteMemoEntry(QStringView memo, const BetSlip& slip);

// Reading the bet blocks of the memo. A block is what OK in the distribution
// window appends: a heading line (racecourse, race number with "R", bet type),
// one line a bet (the bet and its stake), and an empty line. Hand edits are
// accepted: blanks (half- or full-width) for tabs, LF or CR LF, full-width
// digits, "11R", "11" or "１１Ｒ", stakes written "1,200", "1200円" or "1,200 円", bets
// "3-7", "3－7" or "07-03". A line holding only a date ("2026/12/06" or
// "2026年12月06日") sets the day of the blocks under it, up to the next such
// line. Every other line is listed with its reason. A line that names a
// racecourse or a race ("11R"), or a date line, always ends the running block,
// and the lines under a line that names a race are listed when it is not a
// heading.

struct MemoBet {
    int line = 0;    // 1-based line of the memo
    int first = 0;   // horse or bracket number
    int second = 0;  // second number of a 馬連 or 枠連 pair, else 0
    qint64 stake = 0;
    QString text;  // the line as written
};

struct MemoBlock {
    int line = 0;             // line of the heading
    QString place;            // racecourse name, e.g. "東京"
    int courseCode = 0;       // 0..9
    int race = 0;             // 1..12
    BetType kind = BetType::Quinella;  // as settled: 馬連, 枠連, 単勝 or 複勝
    bool asWin = false;       // a "単・複勝" block, settled as 単勝
    QDate day;                // of the date line above the block; null without one
    std::vector<MemoBet> bets;
};

struct SkippedLine {
    int line = 0;
    QString text;    // the line as written
    QString reason;  // why it was not read, in the user's words
};

struct MemoReading {
    std::vector<MemoBlock> blocks;  // in the memo's order
    std::vector<SkippedLine> skipped;
};

MemoReading ReadMemo(QStringView memo);
