#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <vector>

#include "common/BetCsv.h"

// A guide to the year's 一時所得 from the recorded bets: JRA payouts count as
// 一時所得 for most bettors, against which only the stakes of the winning bets
// may be set. An estimate of what the ledger holds, not tax advice.

// What a month's recorded bets say for the estimate.
struct TaxMonth {
    int month = 0;         // 1 to 12
    qint64 hitPayout = 0;  // 払戻 of the bets hit
    qint64 hitStake = 0;   // 購入 of the bets hit
    qint64 missStake = 0;  // 購入 of the bets lost
    qint64 refunds = 0;    // 返還: stakes given back, no income
    int hits = 0;          // bets hit
};

// The year's estimate.
struct TaxEstimate {
    qint64 income = 0;     // 総収入: the payouts of the hits, refunds left out
    qint64 expenses = 0;   // 収入を得るために支出した金額: the stakes of the hits
    qint64 deduction = 0;  // 特別控除: what remains, up to 500,000円
    qint64 amount = 0;     // 一時所得の金額
    qint64 taxable = 0;    // 課税対象: half the amount, added to other income
    qint64 missStake = 0;  // stakes of the losing bets, not set against the income
    qint64 refunds = 0;    // refunds, left out of the income
    int hits = 0;
};

inline constexpr qint64 SpecialDeduction = 500000;

// The estimate of a year from its months.
TaxEstimate EstimateTax(const std::vector<TaxMonth>& months);

// The lines of the panel: a label and an amount ("1,200円").
struct TaxRow {
    QString label;
    QString amount;
    bool result = false;  // 一時所得の金額 and 課税対象, shown in bold
};
std::vector<TaxRow> TaxRows(const TaxEstimate& estimate);

// What the panel says under the figures: what they cover, what they leave out
// and that they are a guide.
QString TaxNote();

// The bets the ledger could not record (未確定, 払戻不明; outcome says which),
// counted apart: "記録されていない馬券：未確定 2 件 1,200円、払戻不明 1 件 500円
// （税金の目安に含めていません）", empty when there are none.
QString UnrecordedLine(const std::vector<BetLine>& bets);
// The list naming them: its headings, and a bet's cells (日付, レース "東京11R",
// 券種, 買い目, 購入, 理由).
QStringList UnrecordedHeadings();
QStringList UnrecordedCells(const BetLine& bet);

// The year as CSV (UTF-8 with a byte-order mark, CR LF): a line a month with
// its figures, the year's total, the bets not recorded under their count line,
// then the estimate's lines and the note.
QByteArray TaxCsv(int year, const std::vector<TaxMonth>& months,
                  const std::vector<BetLine>& unrecorded);
// "税金の目安_2026年.csv"
QString TaxCsvName(int year);
