#include "ledger/RecordCommand.h"

#include "common/MessageBox.h"

QString RecordMessage(const RecordOutcome& outcome) {
    if (!outcome.ok) {
        return QStringLiteral("台帳に記録できませんでした。台帳は記録前のままです。\n%1")
            .arg(outcome.error);
    }
    const QString leftOut = QStringLiteral("\n記録しなかった馬券：未確定 %1 件、払戻不明 %2 件")
                                .arg(outcome.pending)
                                .arg(outcome.unknown);
    if (outcome.recorded == 0) return QStringLiteral("記録できる馬券がありません。") + leftOut;
    return QStringLiteral("台帳に %1 件記録しました（%2 レース）。")
               .arg(outcome.recorded)
               .arg(outcome.races) +
           leftOut;
}

void RecordBets(QWidget* parent, const std::vector<BetLine>& rows) {
    Ledger ledger;
    RecordOutcome outcome;
    if (ledger.open()) {
        outcome = ledger.record(rows);
    } else {
        outcome.error = ledger.error();
    }
    ShowMessage(parent, RecordMessage(outcome),
                outcome.ok ? MsgIcon::Information : MsgIcon::Exclamation, MsgButtons::Ok,
                QStringLiteral("収支台帳"));
}
