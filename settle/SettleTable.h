#pragma once

#include <QAbstractTableModel>
#include <optional>
#include <utility>
#include <vector>

#include "settle/Settlement.h"

// The settlement as a table: a row a bet, then the race's subtotal of its
// settled bets (TotalRole), race by race, each row with its race's date; a
// hit's row stands out (HighlightRole) and negative amounts are marked
// (NegativeRole). Texts and marks come through the item roles, so they are read
// without a window and nothing is built for rows not drawn; the window paints
// the marks (TableLook).
class SettleTable : public QAbstractTableModel {
public:
    enum Column {
        ColDate,
        ColPlace,
        ColRace,
        ColType,
        ColBet,
        ColStake,
        ColOutcome,
        ColPayout,
        ColBalance,
        ColNote,
        ColumnCount
    };

    // Shows `settlement`, which must outlive the table; setRows again after it changes.
    explicit SettleTable(const Settlement& settlement, QObject* parent = nullptr);
    void setRows(const Settlement& settlement);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

private:
    // A cell of a bet's row, or of the race's subtotal row when bet is null.
    static QString text(const SettledRace& race, const SettledBet* bet, int column);
    static std::optional<qint64> amount(const SettledRace& race, const SettledBet* bet, int column);
    const Settlement* settlement_ = nullptr;
    // Race and bet of each row; the bet is -1 on the race's subtotal row.
    std::vector<std::pair<int, int>> rows_;
};
