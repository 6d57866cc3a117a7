#pragma once

#include <QByteArray>
#include <QString>
#include <vector>

#include "backtest/BacktestRaces.h"
#include "common/Calibration.h"

struct TextTable;  // common/TextTable.h

// The returns analysis over races read: 単勝 by odds band and by 人気, 馬連
// by odds band, and the calibration of the odds into winning chances.


struct WinRow {
    QString label;
    int starters = 0;
    int wins = 0;
    double marketSum = 0;   // Σ π: the market's expected wins
    qint64 winPaid = 0;     // 単勝 payouts to the winners, per 100 yen each
    int placeStarters = 0;  // starters of races whose place payouts are known
    qint64 placePaid = 0;
};

struct QuinellaRow {
    QString label;
    int pairs = 0;
    int hits = 0;
    qint64 paid = 0;
};

struct ReliabilityRow {
    QString label;
    int horses = 0;
    double predicted = 0;  // Σ p
    int wins = 0;
};



// The maximum-likelihood index of the winners' calibrated probabilities.
CalibrationFit FitBeta(const std::vector<BacktestRace>& races);

struct BacktestAnalysis {
    std::vector<WinRow> bands;          // 8 bands, 1.0–1.9 to 100.0以上
    std::vector<WinRow> popularity;     // 1番人気 onward, rows up to the largest rank seen
    std::vector<QuinellaRow> quinella;  // 6 bands
    CalibrationFit fit;
    std::vector<ReliabilityRow> reliability;  // p at UsedBeta(fit), 6 bands
    int races = 0;
    int withoutResult = 0;
};

BacktestAnalysis Analyse(const RaceReading& reading);

// The tables as texts: 単勝 by band and by 人気 (オッズ帯 or 人気, 頭数, 勝ち,
// 勝率, 市場の勝率, 単勝回収率, 複勝回収率), 馬連 by band (オッズ帯, 組数,
// 的中, 回収率), reliability (予測勝率帯, 頭数, 予測勝ち, 実際の勝ち, 予測勝率,
// 実際の勝率).
TextTable BandTable(const BacktestAnalysis& a);
TextTable PopularityTable(const BacktestAnalysis& a);
TextTable QuinellaTable(const BacktestAnalysis& a);
TextTable ReliabilityTable(const BacktestAnalysis& a);

// "対数スコア（1レースあたり）市場 -2.104　補正 -2.098", and under
// FitMinimumRaces the note that β = 1 is used.
QString ScoreLine(const CalibrationFit& fit);
// "3,744"
QString CountText(qint64 count);
// "結果のないレース 12"
QString WithoutResultLine(int count);

// Every table as text, in columns, for the command line; ends with BetaLine.
QString AnalysisReport(const BacktestAnalysis& a);
// The four tables as CSV (UTF-8 with a byte-order mark, CR LF), then the β line.
QByteArray AnalysisCsv(const BacktestAnalysis& a);
