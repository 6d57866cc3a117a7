#pragma once

#include <QString>

class QTextStream;

// Prints every named field of a "uo-", "zo-" or "ks-" data file, decoded, one
// field a line ("RaceTitle: ..."), to out. The kind comes from the file name's
// prefix (any case), else from the file length (1979, 826 or 504 bytes).
// Returns the exit code of zem-dump: 0 when the fields were printed, 1 when
// the file cannot be read or is of no known kind (with a message on err).
int DumpDataFile(const QString& path, QTextStream& out, QTextStream& err);
