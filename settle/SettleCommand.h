#pragma once

#include <QString>
#include <QStringList>

class QTextStream;

// zem-settle [--csv] [--day YYYY-MM-DD] MEMOFILE [DATADIR]: the settlement of a
// saved memo as the window shows it (the table, the totals and the lines not
// read), or its CSV. The memo is read as UTF-8 or CP932, whichever it is, else
// in the system's encoding; DATADIR defaults to the data directory of ZEM.ini;
// --day is the day of the blocks without a date line. Returns the exit status:
// 0, 1 when the day is malformed, the memo cannot be read or the data directory
// does not exist, 2 for a wrong command line.
int RunSettleCommand(const QStringList& arguments, QTextStream& out, QTextStream& err);

// The text the command prints for a settlement.
struct Settlement;
QString SettlementReport(const Settlement& settlement);

// The data directory of ZEM.ini, looked for as zem looks for it; the default
// directory when there is no settings file. Nothing is written.
QString SettingsDataDir();
