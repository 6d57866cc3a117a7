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
// header row, then one line a bet (日付, 競馬場, レース, 券種, 買い目, 番号1,
// 番号2, 購入, 結果, 払戻, 収支, 備考). 買い目 leads with the bet type ("馬連 3-7"),
// so that no spreadsheet takes "3-7" for a date; its horse or bracket numbers
// stand in 番号1 and 番号2 as plain numbers (番号2 empty for a single horse).
// Amounts are plain whole yen; an unsettled amount is empty.
QByteArray BetsCsv(const std::vector<BetLine>& rows);

// The CSV file names the save dialogs propose: the day of the bets
// ("収支_2026-12-06.csv"; first and last day when they differ, "収支.csv" while
// no day is known), and a period of the ledger ("収支台帳_2026年.csv", with
// year 0 for every year "収支台帳_全期間.csv").
QString DayCsvName(const std::vector<BetLine>& rows);
QString PeriodCsvName(int year);
