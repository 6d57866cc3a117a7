#include "trend/TrendModel.h"

#include <QColor>
#include <limits>

namespace {

const QColor FallColour(220, 0, 0);
const QColor RiseColour(0, 70, 220);

// "3-7" as 307, "12" as 1200: the record's order.
int keyOrder(const QString& key) {
    const int dash = key.indexOf(QLatin1Char('-'));
    if (dash < 0) return key.toInt() * 100;
    return key.left(dash).toInt() * 100 + key.mid(dash + 1).toInt();
}

}  // namespace

TrendModel::TrendModel(QObject* parent) : QAbstractTableModel(parent) {}

void TrendModel::setTable(TrendTable table, BetType kind) {
    beginResetModel();
    table_ = std::move(table);
    kind_ = kind;
    endResetModel();
}

int TrendModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : table_.rows();
}

int TrendModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : table_.columns() + 2;
}

QVariant TrendModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) return {};
    const int r = index.row(), c = index.column();
    const bool change = c == changeColumn();
    const QString* text = c >= 1 && !change ? &table_.cells[r][c - 1] : nullptr;
    switch (role) {
        case Qt::DisplayRole:
            if (c == 0) return table_.keys[r];
            if (change) return table_.change[r] ? ChangeText(*table_.change[r]) : QString();
            return OddsShown(*text, kind_);
        case Qt::TextAlignmentRole:
            return QVariant::fromValue(
                Qt::Alignment((c == 0 ? Qt::AlignHCenter : Qt::AlignRight) | Qt::AlignVCenter));
        case Qt::ForegroundRole: {
            if (c <= 1 || change) return {};
            const OddsMove move = MoveBetween(table_.cells[r][c - 2], *text, kind_);
            if (move == OddsMove::Fall) return FallColour;
            if (move == OddsMove::Rise) return RiseColour;
            return {};
        }
        case SortRole: {
            if (c == 0) return keyOrder(table_.keys[r]);
            if (change)
                return table_.change[r] ? *table_.change[r] : std::numeric_limits<double>::max();
            const auto odds = OddsHundredths(*text);
            return odds ? *odds : std::numeric_limits<qint64>::max();
        }
        default:
            return {};
    }
}

QVariant TrendModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal) return {};
    if (role == Qt::ToolTipRole && section >= 1) {
        const QString cap =
            OddsShown(QString::number(double(OddsCapHundredths(kind_)) / 100, 'f', 1), kind_);
        return QStringLiteral(
                   "赤は前回の取得から20%以上の下落、青は20%以上の上昇。"
                   "「変化」は最初の取得から最新の取得まで。"
                   "%1は上限の表示で本当のオッズが分からないため、"
                   "変化も色も付けません")
            .arg(cap);
    }
    if (role != Qt::DisplayRole) return {};
    if (section == 0)
        return kind_ == BetType::Win || kind_ == BetType::Place ? QStringLiteral("馬番")
                                                                    : QStringLiteral("組番");
    if (section == changeColumn()) return QStringLiteral("変化（最初→最新）");
    if (section >= 1 && section <= table_.columns()) return table_.headings[section - 1];
    return {};
}
