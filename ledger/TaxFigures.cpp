#include "ledger/TaxFigures.h"

#include <algorithm>

#include "common/Csv.h"
#include "common/NumberText.h"
#include "common/Outcome.h"

TaxEstimate EstimateTax(const std::vector<TaxMonth>& months) {
    TaxEstimate e;
    for (const TaxMonth& m : months) {
        e.income += m.hitPayout;
        e.expenses += m.hitStake;
        e.missStake += m.missStake;
        e.refunds += m.refunds;
        e.hits += m.hits;
    }
    const qint64 gain = std::max<qint64>(0, e.income - e.expenses);
    e.deduction = std::min(gain, SpecialDeduction);
    e.amount = gain - e.deduction;
    e.taxable = e.amount / 2;
    return e;
}

std::vector<TaxRow> TaxRows(const TaxEstimate& e) {
    return {
        {QStringLiteral("総収入（的中の払戻。返還は含めない）"), YenText(e.income)},
        {QStringLiteral("収入を得るために支出した金額（的中した馬券の購入額）"),
         YenText(e.expenses)},
        {QStringLiteral("特別控除（最高50万円）"), YenText(e.deduction)},
        {QStringLiteral("一時所得の金額"), YenText(e.amount), true},
        {QStringLiteral("課税対象（一時所得の金額の2分の1。他の所得と合算）"), YenText(e.taxable),
         true},
        {QStringLiteral("参考: 外れ馬券の購入額（差し引かない）"), YenText(e.missStake)},
        {QStringLiteral("参考: 返還（収入に含めない）"), YenText(e.refunds)},
    };
}

QString TaxNote() {
    return QStringLiteral(
        "目安です。税務上の助言ではありません。外れ馬券の購入額は、営利を目的とする継続的な"
        "購入で雑所得とされる場合に限って経費になり得ます（最高裁 2015年・2017年の判決）。"
        "数字は台帳に記録した馬券だけのものです。未確定・払戻不明のまま記録されなかった馬券"
        "は含みません。申告は税務署または税理士に確かめてください。");
}

QString UnrecordedLine(const std::vector<BetLine>& bets) {
    if (bets.empty()) return QString();
    int pending = 0, unknown = 0;
    qint64 pendingStake = 0, unknownStake = 0;
    for (const BetLine& bet : bets) {
        if (bet.outcome == OutcomeName(Outcome::PayoutUnknown)) {
            ++unknown;
            unknownStake += bet.stake;
        } else {
            ++pending;
            pendingStake += bet.stake;
        }
    }
    return QStringLiteral(
               "記録されていない馬券：未確定 %1 件 %2、払戻不明 %3 件 %4"
               "（税金の目安に含めていません）")
        .arg(pending)
        .arg(YenText(pendingStake))
        .arg(unknown)
        .arg(YenText(unknownStake));
}

QStringList UnrecordedHeadings() {
    return {QStringLiteral("日付"),   QStringLiteral("レース"), QStringLiteral("券種"),
            QStringLiteral("買い目"), QStringLiteral("購入"),   QStringLiteral("理由")};
}

QStringList UnrecordedCells(const BetLine& bet) {
    return {bet.date,           QStringLiteral("%1%2R").arg(bet.place).arg(bet.race),
            bet.betType,        bet.bet,
            YenText(bet.stake), bet.outcome};
}

namespace {

QString csvLine(const QStringList& fields) {
    QStringList quoted;
    for (const QString& f : fields) quoted << CsvField(f);
    return quoted.join(QLatin1Char(',')) + QStringLiteral("\r\n");
}

QStringList monthFields(const QString& label, const TaxMonth& m) {
    return {label,
            QString::number(m.hitPayout),
            QString::number(m.hitStake),
            QString::number(m.hitPayout - m.hitStake),
            QString::number(m.missStake),
            QString::number(m.refunds),
            QString::number(m.hits)};
}

}  // namespace

QByteArray TaxCsv(int year, const std::vector<TaxMonth>& months,
                  const std::vector<BetLine>& unrecorded) {
    QString text = csvLine({QStringLiteral("月"), QStringLiteral("総収入（的中の払戻）"),
                            QStringLiteral("的中した馬券の購入額"), QStringLiteral("差引"),
                            QStringLiteral("外れ馬券の購入額"), QStringLiteral("返還"),
                            QStringLiteral("的中数")});
    TaxMonth total;
    for (const TaxMonth& m : months) {
        text += csvLine(monthFields(QStringLiteral("%1年%2月").arg(year).arg(m.month), m));
        total.hitPayout += m.hitPayout;
        total.hitStake += m.hitStake;
        total.missStake += m.missStake;
        total.refunds += m.refunds;
        total.hits += m.hits;
    }
    text += csvLine(monthFields(QStringLiteral("%1年 合計").arg(year), total));
    text += QStringLiteral("\r\n");
    if (!unrecorded.empty()) {
        // As the bets' CSV writes them: the bet after its type, its numbers apart.
        text += csvLine({UnrecordedLine(unrecorded)});
        text += csvLine({QStringLiteral("日付"), QStringLiteral("競馬場"), QStringLiteral("レース"),
                         QStringLiteral("券種"), QStringLiteral("買い目"), QStringLiteral("番号1"),
                         QStringLiteral("番号2"), QStringLiteral("購入"), QStringLiteral("理由")});
        for (const BetLine& bet : unrecorded) {
            const QStringList numbers = bet.bet.split(u'-');
            text += csvLine({bet.date, bet.place, QStringLiteral("%1R").arg(bet.race), bet.betType,
                             QStringLiteral("%1 %2").arg(bet.betType, bet.bet), numbers.value(0),
                             numbers.value(1), QString::number(bet.stake), bet.outcome});
        }
        text += QStringLiteral("\r\n");
    }
    const TaxEstimate e = EstimateTax(months);
    for (const auto& [label, amount] :
         {std::pair{QStringLiteral("総収入"), e.income},
          std::pair{QStringLiteral("収入を得るために支出した金額"), e.expenses},
          std::pair{QStringLiteral("特別控除"), e.deduction},
          std::pair{QStringLiteral("一時所得の金額"), e.amount},
          std::pair{QStringLiteral("課税対象（2分の1）"), e.taxable}}) {
        text += csvLine({label, QString::number(amount)});
    }
    text += csvLine({TaxNote()});
    return QByteArrayLiteral("\xEF\xBB\xBF") + text.toUtf8();
}

QString TaxCsvName(int year) {
    return QStringLiteral("税金の目安_%1年.csv").arg(year);
}
