#pragma once

#include <QStringList>

class QTextStream;

// zem-analyse [--csv] [--history] [--from YYYY-MM-DD] [--to YYYY-MM-DD] DIR...:
// the returns analysis of the races in the folders (and their subfolders) as
// text, or its CSV with --csv; the last line gives the fitted index. Folders
// that cannot be read are named on err. Returns the exit status: 0, 1 when no
// folder can be read, 2 for a wrong command line.
int RunAnalyseCommand(const QStringList& arguments, QTextStream& out, QTextStream& err);
