#include "settle/SettleTable.h"

#include "common/TableRoles.h"

namespace {

Qt::Alignment alignment(int column) {
    switch (column) {
        case SettleTable::ColRace:
        case SettleTable::ColStake:
        case SettleTable::ColPayout:
        case SettleTable::ColBalance:
            return Qt::AlignRight;
        case SettleTable::ColBet:
        case SettleTable::ColOutcome:
            return Qt::AlignHCenter;
        default:
            return Qt::AlignLeft;
    }
}

}  // namespace

SettleTable::SettleTable(const Settlement& settlement, QObject* parent)
    : QAbstractTableModel(parent) {
    setRows(settlement);
}

void SettleTable::setRows(const Settlement& settlement) {
    beginResetModel();
    settlement_ = &settlement;
    rows_.clear();
    for (int r = 0; r < int(settlement_->races.size()); ++r) {
        const int bets = int(settlement_->races[size_t(r)].bets.size());
        for (int b = 0; b < bets; ++b) rows_.emplace_back(r, b);
        rows_.emplace_back(r, -1);
    }
    endResetModel();
}

int SettleTable::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(rows_.size());
}

int SettleTable::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant SettleTable::headerData(int section, Qt::Orientation orientation, int role) const {
    static const char16_t* const headings[ColumnCount] = {u"日付",   u"競馬場", u"レース", u"券種",
                                                          u"買い目", u"購入",   u"結果",   u"払戻",
                                                          u"収支",   u"備考"};
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 &&
        section < ColumnCount) {
        return QString::fromUtf16(headings[section]);
    }
    return QAbstractTableModel::headerData(section, orientation, role);
}

std::optional<qint64> SettleTable::amount(const SettledRace& race, const SettledBet* bet,
                                          int column) {
    if (bet) {
        if (column == ColStake) return bet->row.stake;
        if (column == ColPayout) return bet->row.payout;
        if (column == ColBalance) return bet->row.balance;
        return std::nullopt;
    }
    // The race's subtotal, of its settled bets.
    if (!race.settled()) return std::nullopt;
    if (column == ColStake) return race.stake;
    if (column == ColPayout) return race.payout;
    if (column == ColBalance) return race.payout - race.stake;
    return std::nullopt;
}

QString SettleTable::text(const SettledRace& race, const SettledBet* bet, int column) {
    switch (column) {
        case ColDate:
            return race.date;
        case ColPlace:
            return bet ? bet->row.place : race.racecourse.placeName();
        case ColRace:
            return QStringLiteral("%1R").arg(race.race);
        case ColType:
            return bet ? bet->row.betType : QStringLiteral("小計");
        case ColBet:
            return bet ? bet->row.bet : QString();
        case ColOutcome:
            if (bet) return bet->row.outcome;
            return race.settled() ? QString() : QStringLiteral("未確定");
        case ColNote:
            return bet ? bet->row.note : QString();
        default: {
            const std::optional<qint64> yen = amount(race, bet, column);
            return yen ? YenText(*yen) : QString();
        }
    }
}

QVariant SettleTable::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= int(rows_.size())) return {};
    const auto [r, b] = rows_[size_t(index.row())];
    const SettledRace& race = settlement_->races[size_t(r)];
    const SettledBet* bet = b >= 0 ? &race.bets[size_t(b)] : nullptr;
    const int column = index.column();
    switch (role) {
        case Qt::DisplayRole:
            return text(race, bet, column);
        case Qt::TextAlignmentRole:
            return int(alignment(column) | Qt::AlignVCenter);
        case NegativeRole: {
            const std::optional<qint64> yen = amount(race, bet, column);
            return yen && *yen < 0;
        }
        case TotalRole:
            return !bet;
        case HighlightRole:
            return bet && bet->outcome == Outcome::Hit;
        default:
            return {};
    }
}
