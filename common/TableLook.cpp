#include "common/TableLook.h"

#include <QBrush>
#include <QFont>

TableLookProxy::TableLookProxy(const TableLook& look, QAbstractItemModel* source, QObject* parent)
    : QIdentityProxyModel(parent), look_(look) {
    setSourceModel(source);
}

QVariant TableLookProxy::data(const QModelIndex& index, int role) const {
    const auto has = [&](int flag) { return QIdentityProxyModel::data(index, flag).toBool(); };
    switch (role) {
        case Qt::ForegroundRole:
            if (look_.negativeText.isValid() && has(NegativeRole))
                return QBrush(look_.negativeText);
            break;
        case Qt::BackgroundRole:
            if (look_.totalBackground.isValid() && has(TotalRole))
                return QBrush(look_.totalBackground);
            if (look_.highlightBackground.isValid() && has(HighlightRole))
                return QBrush(look_.highlightBackground);
            break;
        case Qt::FontRole:
            if (look_.boldTotal && has(TotalRole)) {
                // Bold in the table's own font.
                QFont bold;
                bold.setBold(true);
                return bold;
            }
            break;
        default:
            break;
    }
    return QIdentityProxyModel::data(index, role);
}
