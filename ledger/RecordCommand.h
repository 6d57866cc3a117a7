#pragma once

#include <QString>
#include <vector>

#include "ledger/Ledger.h"

class QWidget;

// 台帳に記録 in the settlement window: the settled bets shown there go into the
// ledger, and a message says what was recorded, what was left out and, after a
// failure, why (the ledger is then as it was). Races the ledger holds already
// for their day are replaced only after a question: いいえ leaves them as they
// are and records the others. The main window connects the
// settlement window's Cmd_Record to RecordBets.

// Records the bets into the ledger and says how it went.
void RecordBets(QWidget* parent, const std::vector<LedgerBet>& bets);

// The question before races recorded already are replaced.
QString ReplaceQuestion(const std::vector<LedgerRace>& races);

// The message after a recording.
QString RecordMessage(const RecordOutcome& outcome);
