#include "common/TextTable.h"

#include "common/Csv.h"

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

void TextTableModel::setRows(TextTable table) {
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
