#include "market/MarketTable.h"

#include "common/Csv.h"

namespace {

const QColor Red(255, 0, 0);  // 差 of +3.0 or more

TableCell figure(const std::optional<double>& value, QString (*text)(double)) {
    return {value ? text(*value) : QString(), QColor(), true};
}

TableCell word(const QString& text) {
    return {text, QColor(), false};
}

// "1.3-1.8"; a bound at the cap as "999.9以上".
QString placeText(const QString& place) {
    const qsizetype dash = place.indexOf(u'-');
    if (dash < 0) return CappedText(place, OddsCap);
    return CappedText(place.left(dash), OddsCap) + u'-' + CappedText(place.mid(dash + 1), OddsCap);
}

}  // namespace

TextTable HorsesTable(const MarketAnalysis& analysis) {
    TextTable table;
    table.headers = QStringList{
        QStringLiteral("馬番"),   QStringLiteral("枠"),     QStringLiteral("単勝"),
        QStringLiteral("支持率"), QStringLiteral("複勝"),   QStringLiteral("馬連支持率"),
        QStringLiteral("差"),     QStringLiteral("総流し"), QStringLiteral("有利")};
    for (const HorseRow& h : analysis.horses) {
        TableCell difference = figure(h.difference, DifferenceText);
        if (h.difference && DifferenceMarked(*h.difference)) difference.colour = Red;
        table.rows.push_back({
            {QString::number(h.horse), QColor(), true},
            {h.bracket ? QString::number(h.bracket) : QString(), QColor(), true},
            {CappedText(h.win, OddsCap), QColor(), true},
            figure(h.winShare, PercentText),
            {placeText(h.place), QColor(), true},
            figure(h.quinellaShare, PercentText),
            difference,
            figure(h.composite, CompositeFigure),
            word(h.advantage),
        });
    }
    return table;
}

TextTable BracketsTable(const MarketAnalysis& analysis) {
    TextTable table;
    table.headers =
        QStringList{QStringLiteral("枠連"), QStringLiteral("オッズ"), QStringLiteral("馬連"),
                    QStringLiteral("合成オッズ"), QStringLiteral("有利")};
    for (const BracketRow& b : analysis.brackets) {
        table.rows.push_back({
            word(QStringLiteral("%1-%2").arg(b.first).arg(b.second)),
            {CappedText(b.odds, OddsCap), QColor(), true},
            {PairsText(b.pairs), QColor(), false},
            {b.composite ? CompositeFigure(*b.composite) +
                               (b.compositeCapped ? QStringLiteral("以上") : QString())
                         : QString(),
             QColor(), true},
            word(b.advantage),
        });
    }
    return table;
}

QByteArray TablesCsv(const std::vector<TextTable>& tables) {
    QString text;
    for (std::size_t t = 0; t < tables.size(); ++t) {
        if (t > 0) text += QStringLiteral("\r\n");
        QStringList fields;
        for (const QString& header : tables[t].headers) fields << CsvField(header);
        text += fields.join(u',') + QStringLiteral("\r\n");
        for (const TableRow& row : tables[t].rows) {
            fields.clear();
            for (std::size_t c = 0; c < row.size(); ++c) {
                const QString heading = c < static_cast<std::size_t>(tables[t].headers.size())
                                            ? tables[t].headers[c]
                                            : QString();
                fields << CsvPairField(heading, row[c].text);
            }
            text += fields.join(u',') + QStringLiteral("\r\n");
        }
    }
    return QByteArrayLiteral("\xEF\xBB\xBF") + text.toUtf8();
}

void TextTableModel::setTable(TextTable table) {
    beginResetModel();
    table_ = std::move(table);
    endResetModel();
}

int TextTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(table_.rows.size());
}

int TextTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(table_.headers.size());
}

QVariant TextTableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount() || index.column() >= columnCount()) {
        return {};
    }
    const TableCell& cell = table_.rows[index.row()][index.column()];
    switch (role) {
        case Qt::DisplayRole:
            return cell.text;
        case Qt::ForegroundRole:
            return cell.colour.isValid() ? QVariant(cell.colour) : QVariant();
        case Qt::TextAlignmentRole:
            return QVariant::fromValue(Qt::AlignVCenter |
                                       (cell.right ? Qt::AlignRight : Qt::AlignHCenter));
        default:
            return {};
    }
}

QVariant TextTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole || orientation != Qt::Horizontal || section < 0 ||
        section >= columnCount()) {
        return {};
    }
    return table_.headers[section];
}
