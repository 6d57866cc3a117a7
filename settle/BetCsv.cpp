#include "settle/BetCsv.h"

#include <QStringList>

#include "common/Csv.h"

namespace {

// A field quoted as every CSV of the program quotes it.
QString csvField(const QString& text) {
    return CsvField(text);
}

QString amount(const std::optional<qint64>& value) {
    return value ? QString::number(*value) : QString();
}

}  // namespace

QByteArray BetsCsv(const std::vector<BetLine>& rows) {
    QString text = QStringLiteral("日付,競馬場,レース,券種,買い目,購入,結果,払戻,収支\r\n");
    for (const BetLine& row : rows) {
        const QStringList fields{
            csvField(row.date),    csvField(row.place), QStringLiteral("%1R").arg(row.race),
            csvField(row.betType), csvField(row.bet),   QString::number(row.stake),
            csvField(row.outcome), amount(row.payout),  amount(row.balance)};
        text += fields.join(QLatin1Char(',')) + QStringLiteral("\r\n");
    }
    return QByteArrayLiteral("\xEF\xBB\xBF") + text.toUtf8();
}
