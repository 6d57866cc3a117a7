#pragma once

#include <QString>

// Writes a PAT95 data directory for one race day (2026-12-06) at four
// racecourses: 東京 (5), 中山 (6), 阪神 (9) and 小倉 (0), twelve races each, with
// "uo-" and "zo-" odds files for every race and "ks-" result files for the
// races already run (all but 中山 11R and 12R, 阪神 12R and 小倉 10R to 12R).
// The odds come from a field of win probabilities per race, the results are
// drawn from the same probabilities and paid at the odds shown. The output is
// the same on every run. The directory is created when missing; files of the
// same names are replaced, other files are left alone. False when a file
// cannot be written.
//
// A download above 0 writes only the "uo-" and "zo-" files again, as a later
// download of the same day: the market has moved toward the result, a little
// more at each download (1, 2, ...), so that the odds history has movement to show.
bool WriteSampleData(const QString& directory, int download = 0);
