#pragma once

#include <QString>
#include <QStringList>
#include <optional>
#include <span>

// Composite odds: what a set of bets pays as one, as the distribution, the
// odds pickers and the odds analysis show it.

// Composite odds of a set of bets: 1 / the sum of 1 / odds over the texts whose
// odds the distribution can use (OddsReciprocal), in double precision; nullopt
// when none is usable. 2.5, 5.0 and 10.0 make 1.428...
std::optional<double> CompositeOdds(std::span<const QString> odds);

// Composite odds as shown: two decimals, rounded down, and "倍" ("1.42倍").
QString CompositeText(double composite);

// The bottom line of an odds picker for its picked odds texts in cell order:
// "選択 4点 合成オッズ 3.52倍" ("選択 4点" when none is usable); empty when
// nothing is picked.
QString PicksLine(const QStringList& picked);
