#pragma once

#include <QAbstractTableModel>
#include <QStringList>
#include <optional>
#include <vector>

#include "ledger/Ledger.h"

// A line of a ledger table: its leading texts (a period, a bet type, a race...),
// then its figures.
struct FiguresLine {
    QStringList lead;
    LedgerFigures figures;
    std::optional<int> key;  // the month or year a double-click opens
    bool total = false;      // the bold 合計 line
};

// The ledger's tables of figures: the leading columns, then 購入, 払戻, 収支 (red
// below zero: NegativeRole), 回収率, 的中率 and, when the headings name it, レース.
// Texts, alignment and the marks (NegativeRole, TotalRole for the 合計 line)
// come through the item roles; the window paints the marks (TableLook).
class FiguresTable : public QAbstractTableModel {
public:
    // `leading` gives the alignment of each leading column; the headings name
    // those and then the figures.
    FiguresTable(const QStringList& headings, std::vector<Qt::Alignment> leading,
                 QObject* parent = nullptr);

    void setRows(std::vector<FiguresLine> lines);
    void setHeading(int column, const QString& text);
    std::optional<int> key(int row) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

private:
    QStringList headings_;
    std::vector<Qt::Alignment> leading_;
    std::vector<FiguresLine> lines_;
};

// The headings of a table of groups: `first`, then the figures with レース.
QStringList FigureHeadings(const QString& first);

// A line per group (key kept), then the total when there is one.
std::vector<FiguresLine> GroupLines(const std::vector<LedgerLine>& lines,
                                    const LedgerFigures* total);

// A line per race: 日付, 競馬場, レース ("11R").
std::vector<FiguresLine> RaceLines(const std::vector<LedgerRace>& races);

// A race's bets: 券種, 買い目, 購入, 結果, 払戻, 収支 (red below zero).
class BetsTable : public QAbstractTableModel {
public:
    explicit BetsTable(QObject* parent = nullptr);

    void setRows(std::vector<BetLine> bets);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

private:
    std::vector<BetLine> bets_;
};
