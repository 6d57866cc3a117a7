#pragma once

#include <QAbstractTableModel>
#include <QByteArray>
#include <QColor>
#include <QStringList>
#include <vector>

#include "market/Market.h"

// The two tables of the odds analysis as rows of texts, the models the window's
// views show, and their CSV.

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

// 馬番, 枠, 単勝, 支持率, 複勝, 馬連支持率, 差, 総流し, 有利.
TextTable HorsesTable(const MarketAnalysis& analysis);
// 枠連, オッズ, 馬連, 合成オッズ, 有利.
TextTable BracketsTable(const MarketAnalysis& analysis);

// The tables for a spreadsheet, one after the other with an empty line between
// them: UTF-8 with a byte-order mark, CR LF, a field in quotes when it holds a
// comma, a quote or a line break.
QByteArray TablesCsv(const std::vector<TextTable>& tables);

// A read-only model over a TextTable.
class TextTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    using QAbstractTableModel::QAbstractTableModel;

    void setTable(TextTable table);
    const TextTable& table() const { return table_; }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    TextTable table_;
};
