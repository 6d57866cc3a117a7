#include "ledger/RecordCommand.h"

#include <QStringList>

#include "common/MessageBox.h"

namespace {

const QString Title = QStringLiteral("収支台帳");

}  // namespace

QString RecordMessage(const RecordOutcome& outcome) {
    if (!outcome.ok) {
        return QStringLiteral("台帳に記録できませんでした。台帳は記録前のままです。\n%1")
            .arg(outcome.error);
    }
    const QString leftOut = QStringLiteral("\n記録しなかった馬券：未確定 %1 件、払戻不明 %2 件")
                                .arg(outcome.pending)
                                .arg(outcome.unknown);
    const QString kept =
        outcome.kept ? QStringLiteral("\n記録済みのまま残したレース：%1 レース").arg(outcome.kept)
                     : QString();
    if (outcome.recorded == 0) {
        return (outcome.kept ? QStringLiteral("台帳は変更していません。")
                             : QStringLiteral("記録できる馬券がありません。")) +
               kept + leftOut;
    }
    return QStringLiteral("台帳に %1 件記録しました（%2 レース）。")
               .arg(outcome.recorded)
               .arg(outcome.races) +
           kept + leftOut;
}

QString ReplaceQuestion(const std::vector<LedgerRace>& races) {
    QStringList names;
    for (const LedgerRace& race : races)
        names << QStringLiteral("%1%2R（%3）")
                     .arg(race.race.placeName())
                     .arg(race.race.number)
                     .arg(race.race.date.toString(QStringLiteral("yyyy/MM/dd")));
    return QStringLiteral("記録済みのレースがあります：%1… 置き換えますか？")
        .arg(names.join(u'、'));
}

void RecordBets(QWidget* parent, const std::vector<LedgerBet>& bets) {
    Ledger ledger;
    RecordOutcome outcome;
    if (ledger.open()) {
        // Races recorded before are replaced only when the user says so.
        std::vector<LedgerRace> keep;
        if (!ledger.readOnly()) keep = ledger.recordedRaces(bets);
        if (!keep.empty() && ShowMessage(parent, ReplaceQuestion(keep), MsgIcon::Question,
                                         MsgButtons::YesNo, Title) == MsgAnswer::Yes)
            keep.clear();
        outcome = ledger.record(bets, keep);
        outcome.kept = static_cast<int>(keep.size());
    } else {
        outcome.error = ledger.error();
    }
    ShowMessage(parent, RecordMessage(outcome),
                outcome.ok ? MsgIcon::Information : MsgIcon::Exclamation, MsgButtons::Ok, Title);
}
