#pragma once

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

// Reading the bet blocks of the memo. A block is what OK in the distribution
// window appends: a heading line (racecourse, race number with "R", bet type),
// one line a bet (the bet and its stake), and an empty line. Hand edits are
// accepted: blanks (half- or full-width) for tabs, LF or CR LF, full-width
// digits, "11R", "11" or "１１Ｒ", stakes written "1,200", "1200円" or "1,200 円", bets
// "3-7", "3－7" or "07-03". Every other line is listed with its reason. A
// line that names a racecourse or a race ("11R") always ends the running
// block, and the lines under it are listed when it is not a heading.

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
    BetType kind = Quinella;  // as settled: 馬連, 枠連, 単勝 or 複勝
    bool asWin = false;       // a "単・複勝" block, settled as 単勝
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
