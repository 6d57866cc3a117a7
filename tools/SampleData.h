#pragma once

#include <QString>

// Writes a PAT95 data directory for two race days, 2026-11-29 and 2026-12-06,
// at four racecourses: 東京 (5), 中山 (6), 阪神 (9) and 小倉 (0), twelve races
// each, with "uo-" and "zo-" odds files for every race and "ks-" result files
// for the races already run: every race of 11/29, and all but 中山 11R and 12R,
// 阪神 12R and 小倉 10R to 12R of 12/06. As PAT95 leaves them, last week's files
// lie beside today's under the stems before them (東京 uo-57x, ks-5507x beside
// uo-58x, ks-5508x), with other horses, odds and winners. The odds come from a
// field of win probabilities per race, the results are drawn from the same
// probabilities and paid at the odds shown. The output is the same on every
// run. The directory is created when missing; files of the same names are
// replaced, other files are left alone. False when a file cannot be written.
//
// A download above 0 writes only today's "uo-" and "zo-" files again, as a later
// download of the day: the market has moved toward the result, a little more at
// each download (1, 2, ...), so that the odds history has movement to show.
bool WriteSampleData(const QString& directory, int download = 0);
