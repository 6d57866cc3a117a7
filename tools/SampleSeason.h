#pragma once

#include <QDate>
#include <QString>
#include <QtGlobal>

// The law the sample season's winners are drawn from: horse i wins with
// probability p_i ∝ π_i^β, π being the market's probability from the odds
// written (1/odds normalised over the starters).
inline constexpr double SampleSeasonBeta = 1.2;

// Writes a season of PAT95 data for the returns analysis: `days` race days
// (Saturdays and Sundays from the Saturday firstDay, by default 2025-01-04),
// one subdirectory each named by the
// date ("2025-01-04"), two racecourses a day with twelve races each: "zo-",
// "uo-" and "ks-" files. Fields of 8 to 18 runners, now and then a scratched
// horse; the finish drawn from p ∝ π^β, the payouts those of the odds shown.
// The same seed writes the same files. False when a file cannot be written.
bool WriteSampleSeason(const QString& directory, int days, double beta = SampleSeasonBeta,
                       quint64 seed = 1, const QDate& firstDay = {});
