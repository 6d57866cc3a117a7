#pragma once

#include <QAbstractTableModel>

#include "trend/TrendTable.h"

// The trend table as a model for a view: column 0 the horse or pair, then a
// column per snapshot, then the change from first to last. A fall of 20 % or
// more from the previous snapshot is red, a rise of 20 % or more blue. Sorting
// by any column goes by SortRole: numbers, with texts that are no odds last.
class TrendModel : public QAbstractTableModel {
    Q_OBJECT
public:
    static constexpr int SortRole = Qt::UserRole;

    explicit TrendModel(QObject* parent = nullptr);

    void setTable(TrendTable table, BetType kind);
    const TrendTable& table() const { return table_; }
    int changeColumn() const { return table_.columns() + 1; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

private:
    TrendTable table_;
    BetType kind_ = BetType::Quinella;
};
