#pragma once

#include <QString>
#include <QtGlobal>
#include <vector>

class QWidget;

// The chart of a running balance: one point after each settled race, with a
// line at zero. The settlement window and the ledger share it. Qt Charts is
// loaded with the first chart made, so that start-up does not pay for it.

struct BalancePoint {
    QString label;  // e.g. "東京11R"
    qint64 balance;
};

// A chart view named objectName, empty until ShowBalance. Should the chart
// library be missing, a label saying so stands in its place.
QWidget* MakeBalanceChart(QWidget* parent, const QString& objectName);

// Shows the points in order; no points show an empty chart with the note.
void ShowBalance(QWidget* chart, const std::vector<BalancePoint>& points, const QString& emptyNote);
