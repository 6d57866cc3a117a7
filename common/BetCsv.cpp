#include "common/BetCsv.h"

#include <QStringList>

#include "common/Csv.h"

namespace {

QString amount(const std::optional<qint64>& value) {
    return value ? QString::number(*value) : QString();
}

}  // namespace

QByteArray BetsCsv(const std::vector<BetLine>& rows) {
    QString text =
        QStringLiteral("日付,競馬場,レース,券種,買い目,番号1,番号2,購入,結果,払戻,収支,備考\r\n");
    for (const BetLine& row : rows) {
        // "3-7" alone is a date to a spreadsheet; "馬連 3-7" is text to every one.
        const QStringList numbers = row.bet.split(u'-');
        const QStringList fields{CsvField(row.date),
                                 CsvField(row.place),
                                 QStringLiteral("%1R").arg(row.race),
                                 CsvField(row.betType),
                                 CsvField(QStringLiteral("%1 %2").arg(row.betType, row.bet)),
                                 CsvField(numbers.value(0)),
                                 CsvField(numbers.value(1)),
                                 QString::number(row.stake),
                                 CsvField(row.outcome),
                                 amount(row.payout),
                                 amount(row.balance),
                                 CsvField(row.note)};
        text += fields.join(QLatin1Char(',')) + QStringLiteral("\r\n");
    }
    return QByteArrayLiteral("\xEF\xBB\xBF") + text.toUtf8();
}

QString DayCsvName(const std::vector<BetLine>& rows) {
    QString first, last;
    for (const BetLine& row : rows) {
        if (row.date.isEmpty()) continue;
        if (first.isEmpty() || row.date < first) first = row.date;
        if (last.isEmpty() || row.date > last) last = row.date;
    }
    if (first.isEmpty()) return QStringLiteral("収支.csv");
    first.replace(u'/', u'-');
    last.replace(u'/', u'-');
    return first == last ? QStringLiteral("収支_%1.csv").arg(first)
                         : QStringLiteral("収支_%1～%2.csv").arg(first, last);
}

QString PeriodCsvName(int year) {
    return year == 0 ? QStringLiteral("収支台帳_全期間.csv")
                     : QStringLiteral("収支台帳_%1年.csv").arg(year);
}
