#pragma once

#include <QAbstractTableModel>
#include <QByteArray>
#include <QColor>
#include <QStringList>
#include <vector>

// Tables of texts (the analyses' tables as the windows, the terminal and CSV
// show them), their CSV and the read-only model the views show.

struct TableCell {
    QString text;
    QColor colour;      // invalid: the view's own
    bool right = true;  // figures right-aligned, words centred
};
using TableRow = std::vector<TableCell>;

struct TextTable {
    QStringList headers;
    std::vector<TableRow> rows;
};

// The tables for a spreadsheet, one after the other with an empty line between
// them: UTF-8 with a byte-order mark, CR LF, a field in quotes when it holds a
// comma, a quote or a line break.
QByteArray TablesCsv(const std::vector<TextTable>& tables);

// A read-only model over a TextTable.
class TextTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    using QAbstractTableModel::QAbstractTableModel;

    void setRows(TextTable table);
    const TextTable& table() const { return table_; }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    TextTable table_;
};
