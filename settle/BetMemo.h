#pragma once

#include <QString>
#include <QStringView>
#include <vector>

// Reading the bet blocks of the memo. A block is what OK in the distribution
// window appends: a heading line (racecourse, race number with "R", bet type),
// one line a bet (the bet and its stake), and an empty line. Hand edits are
// accepted: blanks (half- or full-width) for tabs, LF or CR LF, full-width
// digits, "11R", "11" or "１１Ｒ", stakes written "1,200" or "1200円", bets
// "3-7", "3－7" or "07-03". Every other line is listed with its reason.

enum class BetKind { Quinella, Bracket, Win, Place };

// "馬連", "枠連", "単勝", "複勝".
QString BetKindName(BetKind kind);

struct MemoBet {
    int line = 0;    // 1-based line of the memo
    int first = 0;   // horse or bracket number
    int second = 0;  // second number of a 馬連 or 枠連 pair, else 0
    qint64 stake = 0;
};

struct MemoBlock {
    int line = 0;        // line of the heading
    QString place;       // racecourse name, e.g. "東京"
    int courseCode = 0;  // 0..9
    int race = 0;        // 1..12
    BetKind kind = BetKind::Quinella;
    bool asWin = false;  // a "単・複勝" block, settled as 単勝
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

// The course code of a racecourse name, or -1 for a name that is none.
int CourseCodeOf(QStringView place);

// The memo file as text: UTF-8 (with or without a byte-order mark) when the
// bytes are valid UTF-8, else CP932 when they decode as such, else the
// system's encoding.
QString DecodeMemoFile(const QByteArray& bytes);
