#pragma once

#include <QByteArray>
#include <QString>
#include <optional>
#include <vector>

// One bet as the settlement and the ledger show it and write it out.
struct BetLine {
    QString date;     // race date "yyyy/MM/dd", empty while unknown
    QString place;    // racecourse, e.g. "東京"
    int race = 0;     // 1 to 12
    QString betType;  // "馬連", "枠連", "単勝" or "複勝"
    QString bet;      // e.g. "3-7" or "5"
    qint64 stake = 0;
    QString outcome;               // "的中", "不的中", "返還", "未確定" or "払戻不明"
    std::optional<qint64> payout;  // none while the race is unsettled
    std::optional<qint64> balance;  // payout - stake; none while unsettled
    // 備考: why the bet is not settled ("結果の日付が違います 2025/11/16") or how it
    // was ("単勝として計算"); empty when there is nothing to say.
    QString note = {};
};

// The bets as CSV for a spreadsheet: UTF-8 with a byte-order mark, CR LF, a
// header row, then one line a bet (日付, 競馬場, レース, 券種, 買い目, 購入, 結果,
// 払戻, 収支). Amounts are plain whole yen; an unsettled amount is empty.
QByteArray BetsCsv(const std::vector<BetLine>& rows);
