#include "ledger/LedgerTables.h"

#include "common/NumberText.h"
#include "common/Outcome.h"
#include "common/TableRoles.h"

namespace {

enum Figure { Stake, Payout, Balance, Recovery, HitRate, Races };

QString figureText(const LedgerFigures& f, int figure) {
    switch (figure) {
        case Stake:
            return YenText(f.stake);
        case Payout:
            return YenText(f.payout);
        case Balance:
            return YenText(f.balance());
        case Recovery:
            return RecoveryRateText(f);
        case HitRate:
            return HitRateText(f);
        default:
            return QString::number(f.races);
    }
}

}  // namespace

FiguresTable::FiguresTable(const QStringList& headings, std::vector<Qt::Alignment> leading,
                           QObject* parent)
    : QAbstractTableModel(parent), headings_(headings), leading_(std::move(leading)) {}

void FiguresTable::setRows(std::vector<FiguresLine> lines) {
    beginResetModel();
    lines_ = std::move(lines);
    endResetModel();
}

void FiguresTable::setHeading(int column, const QString& text) {
    headings_[column] = text;
    emit headerDataChanged(Qt::Horizontal, column, column);
}

std::optional<int> FiguresTable::key(int row) const {
    return row >= 0 && row < int(lines_.size()) ? lines_[size_t(row)].key : std::nullopt;
}

int FiguresTable::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(lines_.size());
}

int FiguresTable::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(headings_.size());
}

QVariant FiguresTable::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 &&
        section < headings_.size()) {
        return headings_[section];
    }
    return QAbstractTableModel::headerData(section, orientation, role);
}

QVariant FiguresTable::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= int(lines_.size())) return {};
    const FiguresLine& line = lines_[size_t(index.row())];
    const int column = index.column();
    const int leading = int(leading_.size());
    switch (role) {
        case Qt::DisplayRole:
            if (column < leading) return line.lead.value(column);
            return figureText(line.figures, column - leading);
        case Qt::TextAlignmentRole:
            return int((column < leading ? leading_[size_t(column)] : Qt::AlignRight) |
                       Qt::AlignVCenter);
        case NegativeRole:
            return column - leading == Balance && line.figures.balance() < 0;
        case TotalRole:
            return line.total;
        default:
            return {};
    }
}

QStringList FigureHeadings(const QString& first) {
    return {first,
            QStringLiteral("購入"),
            QStringLiteral("払戻"),
            QStringLiteral("収支"),
            QStringLiteral("回収率"),
            QStringLiteral("的中率"),
            QStringLiteral("レース")};
}

std::vector<FiguresLine> GroupLines(const std::vector<LedgerLine>& lines,
                                    const LedgerFigures* total) {
    std::vector<FiguresLine> shown;
    shown.reserve(lines.size() + 1);
    for (const LedgerLine& line : lines) shown.push_back({{line.label}, line.figures, line.key});
    if (total) shown.push_back({{QStringLiteral("合計")}, *total, std::nullopt, true});
    return shown;
}

std::vector<FiguresLine> RaceLines(const std::vector<LedgerRace>& races) {
    std::vector<FiguresLine> shown;
    shown.reserve(races.size());
    for (const LedgerRace& race : races) {
        shown.push_back({{race.race.date.toString(QStringLiteral("yyyy/MM/dd")),
                          race.race.placeName(), QStringLiteral("%1R").arg(race.race.number)},
                         race.figures,
                         {}});
    }
    return shown;
}

namespace {

const QStringList BetHeadings{QStringLiteral("券種"), QStringLiteral("買い目"),
                              QStringLiteral("購入"), QStringLiteral("結果"),
                              QStringLiteral("払戻"), QStringLiteral("収支")};

}  // namespace

BetsTable::BetsTable(QObject* parent) : QAbstractTableModel(parent) {}

void BetsTable::setRows(std::vector<BetLine> bets) {
    beginResetModel();
    bets_ = std::move(bets);
    endResetModel();
}

int BetsTable::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(bets_.size());
}

int BetsTable::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(BetHeadings.size());
}

QVariant BetsTable::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 &&
        section < BetHeadings.size()) {
        return BetHeadings[section];
    }
    return QAbstractTableModel::headerData(section, orientation, role);
}

QVariant BetsTable::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= int(bets_.size())) return {};
    const BetLine& bet = bets_[size_t(index.row())];
    const qint64 balance = bet.balance.value_or(0);
    switch (role) {
        case Qt::DisplayRole:
            switch (index.column()) {
                case 0:
                    return bet.betType;
                case 1:
                    return bet.bet;
                case 2:
                    return YenText(bet.stake);
                case 3:
                    return bet.outcome;
                case 4:
                    return bet.payout ? YenText(*bet.payout) : QString();
                default:
                    return bet.balance ? YenText(balance) : QString();
            }
        case Qt::TextAlignmentRole:
            return int(
                (index.column() == 2 || index.column() >= 4 ? Qt::AlignRight : Qt::AlignLeft) |
                Qt::AlignVCenter);
        case NegativeRole:
            return index.column() == 5 && balance < 0;
        default:
            return {};
    }
}
