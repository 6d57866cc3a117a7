#pragma once

#include <QColor>
#include <QIdentityProxyModel>

#include "common/TableRoles.h"

// How a table shows the roles of TableRoles.h: the text of a negative amount,
// the background of a highlighted line and of a total line, a total in bold.
// An invalid colour paints nothing.
struct TableLook {
    QColor negativeText;
    QColor highlightBackground;
    QColor totalBackground;
    bool boldTotal = true;
};

// The model a view shows: the source's cells, with the look's brushes and
// fonts for its roles. Rows and columns are the source's.
class TableLookProxy : public QIdentityProxyModel {
public:
    TableLookProxy(const TableLook& look, QAbstractItemModel* source, QObject* parent = nullptr);

    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

private:
    TableLook look_;
};
