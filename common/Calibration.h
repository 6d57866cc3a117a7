#pragma once

#include <QString>
#include <vector>

// The calibration of the win odds into winning chances: the market's shares π
// and p = π^β / Σ π^β with the index β fitted on the user's races.

// A starter of a race: its number and its 単勝 odds at face value (capped odds included).
struct BacktestStarter {
    int horse = 0;
    double odds = 0;
};

// Races needed before the fitted index is used instead of 1.
inline constexpr int FitMinimumRaces = 300;

struct CalibrationFit {
    double beta = 1;
    double standardError = 0;  // 0 when the curvature says nothing
    int races = 0;             // races with two or more starters
    double marketScore = 0;    // mean log π of the winner
    double fitScore = 0;       // mean log p of the winner at the fitted β
    bool fitted = false;       // a maximum was found
};

// The fitted index where it is used: the fit with FitMinimumRaces races or
// more, else 1.
double UsedBeta(const CalibrationFit& fit);

// The market's probabilities π of the starters (in their order) and the
// calibrated ones for an index.
std::vector<double> MarketProbabilities(const std::vector<BacktestStarter>& starters);
std::vector<double> Calibrated(const std::vector<double>& market, double beta);

// "補正指数 β = 1.183 ± 0.031（3,744 レース）"
QString BetaLine(const CalibrationFit& fit);
