#pragma once

#include <QStringList>

class QTextStream;

// zem-analyse [--csv] [--history] [--from YYYY-MM-DD] [--to YYYY-MM-DD] DIR...:
// the returns analysis of the races in the folders (and their subfolders) as
// text, or its CSV with --csv; the last line gives the fitted index. Folders
// that cannot be read are named on err. Returns the exit status: 0, 1 when no
// folder can be read, 2 for a wrong command line.
// zem-analyse --race 東京11R [--day YYYY-MM-DD] [--beta B] DIR...: the race's
// horses (馬番, 単勝, 補正勝率, 期待値) and its 馬連 and 枠連 bets with 期待値 of
// 1.00 or more, best first, as オッズ分析 shows them; β fitted from the
// folders' races unless --beta fixes it. The race's odds are those of the day
// (else its newest day) in the folder or subfolder holding them; 1 when none
// does.
int RunAnalyseCommand(const QStringList& arguments, QTextStream& out, QTextStream& err);
