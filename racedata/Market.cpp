#include "racedata/Market.h"

#include <QStringList>
#include <cmath>

#include "common/BetType.h"
#include "common/Brackets.h"
#include "common/CompositeOdds.h"
#include "common/Odds.h"
#include "racedata/Records.h"

namespace {

// Composite odds at least as high as the odds compared with; a composite of a
// single pair is that pair's odds, whatever the last bit of 1 / (1 / odds).
bool AtLeast(double composite, double odds) {
    return composite >= odds * (1 - 1e-12);
}

// Tenths rounded half up (away from zero); the nudge keeps a figure that is a
// half in decimal from falling below it in binary.
double Tenths(double value) {
    return std::round(value * 10 + std::copysign(1e-9, value));
}

}  // namespace

bool AtCap(QStringView odds, double cap) {
    const std::optional<double> value = UsableOdds(odds);
    return value && *value >= cap;
}

QString CappedText(const QString& odds, double cap) {
    return AtCap(odds, cap) ? odds + QStringLiteral("以上") : odds;
}

MarketAnalysis AnalyseMarket(const RaceOdds& odds) {
    MarketAnalysis result;
    const int n = odds.runners;

    std::vector<bool> scratched(n + 1, false);
    for (int h = 1; h <= n; ++h) {
        if (odds.hasWin && !UsableOdds(odds.win[h - 1])) scratched[h] = true;
        if (odds.hasQuinella && n >= 2) {
            bool anyPair = false;
            for (int j = 1; j <= n && !anyPair; ++j) {
                if (j != h && UsableOdds(odds.quinellaOf(h, j))) anyPair = true;
            }
            if (!anyPair) scratched[h] = true;
        }
    }
    // A pair's odds count when both horses run.
    auto pairOdds = [&](int a, int b) -> std::optional<double> {
        if (!odds.hasQuinella || scratched[a] || scratched[b]) return std::nullopt;
        return UsableOdds(odds.quinellaOf(a, b));
    };

    // Sums of 1 / odds: the win pool, each horse's pairs, all pairs.
    double winSum = 0, quinellaSum = 0;
    std::vector<double> horsePairs(n + 1, 0);
    for (int h = 1; h <= n; ++h) {
        if (scratched[h]) continue;
        if (odds.hasWin) winSum += 1 / *UsableOdds(odds.win[h - 1]);
        for (int j = h + 1; j <= n; ++j) {
            if (const auto value = pairOdds(h, j)) {
                horsePairs[h] += 1 / *value;
                horsePairs[j] += 1 / *value;
                quinellaSum += 1 / *value;
            }
        }
    }
    if (winSum > 0) result.payout.win = 1 / winSum;
    if (quinellaSum > 0) result.payout.quinella = 1 / quinellaSum;

    for (int h = 1; h <= n; ++h) {
        HorseRow row;
        row.horse = h;
        row.bracket = BracketOf(h, n);
        row.win = odds.win[h - 1];
        if (!odds.placeLow[h - 1].isEmpty() || !odds.placeHigh[h - 1].isEmpty()) {
            row.place = odds.placeLow[h - 1] + u'-' + odds.placeHigh[h - 1];
        }
        row.scratched = scratched[h];
        if (!row.scratched) {
            if (winSum > 0) row.winShare = 100 / *UsableOdds(row.win) / winSum;
            if (quinellaSum > 0) row.quinellaShare = 100 * horsePairs[h] / (2 * quinellaSum);
            if (row.winShare && row.quinellaShare) {
                row.difference = *row.quinellaShare - *row.winShare;
            }
            std::vector<QString> own;
            for (int j = 1; j <= n; ++j) {
                if (j != h && pairOdds(h, j)) own.push_back(odds.quinellaOf(h, j));
            }
            row.composite = CompositeOdds(own);
            // Capped pairs only lower the composite: one that still reaches the
            // win odds does so all the more.
            if (row.composite && odds.hasWin && !AtCap(row.win, OddsCap) &&
                AtLeast(*row.composite, *UsableOdds(row.win))) {
                row.advantage = QStringLiteral("総流し");
            }
        }
        result.horses.push_back(row);
    }

    // Bracket pairs that two starters can make.
    double bracketSum = 0;
    for (int a = 1; a <= 8 && odds.hasWin; ++a) {
        for (int b = a; b <= 8; ++b) {
            BracketRow row;
            row.first = a;
            row.second = b;
            row.odds = odds.bracket[ZoRecord::EntryOfBracketPair(a, b)];
            const std::optional<double> bracketValue = UsableOdds(row.odds);
            if (!bracketValue) continue;
            std::vector<QString> covered;
            for (int x = 1; x <= n; ++x) {
                for (int y = x + 1; y <= n; ++y) {
                    if (scratched[x] || scratched[y]) continue;
                    const int bx = BracketOf(x, n), by = BracketOf(y, n);
                    if (!((bx == a && by == b) || (bx == b && by == a))) continue;
                    row.pairs.push_back({x, y});
                    if (const auto value = pairOdds(x, y)) {
                        covered.push_back(odds.quinellaOf(x, y));
                        if (AtCap(odds.quinellaOf(x, y), QuinellaOddsCap))
                            row.compositeCapped = true;
                        if (*value < *bracketValue) {
                            result.dominated.push_back(
                                {{x, y}, odds.quinellaOf(x, y), a, b, row.odds});
                        }
                    }
                }
            }
            if (row.pairs.empty()) continue;
            bracketSum += 1 / *bracketValue;
            row.composite = CompositeOdds(covered);
            if (row.composite) {
                // Odds at the cap are lower bounds: the bracket's can only prove
                // 枠連, the pairs' only 馬連.
                const bool bracketCapped = AtCap(row.odds, OddsCap);
                const bool bracketWins = AtLeast(*bracketValue, *row.composite);
                if (bracketWins ? !row.compositeCapped : !bracketCapped) {
                    row.advantage = BetTypeName(bracketWins ? BetType::BracketQuinella : BetType::Quinella);
                }
            }
            result.brackets.push_back(row);
        }
    }
    if (bracketSum > 0) result.payout.bracket = 1 / bracketSum;
    return result;
}

QString PercentText(double value) {
    return QString::number(Tenths(value) / 10, 'f', 1);
}

QString DifferenceText(double value) {
    const double tenths = Tenths(value);
    const QString figure = QString::number(std::abs(tenths) / 10, 'f', 1);
    if (tenths > 0) return u'+' + figure;
    if (tenths < 0) return u'-' + figure;
    return figure;
}

bool DifferenceMarked(double value) {
    return Tenths(value) >= 30;
}

QString PairsText(const std::vector<HorsePair>& pairs) {
    QStringList texts;
    for (const HorsePair& p : pairs) texts << QStringLiteral("%1-%2").arg(p.first).arg(p.second);
    return texts.join(QStringLiteral(", "));
}

QString DominatedText(const DominatedPair& d) {
    return QStringLiteral("%1-%2 %3 < 枠連 %4-%5 %6")
        .arg(d.pair.first)
        .arg(d.pair.second)
        .arg(d.odds)
        .arg(d.firstBracket)
        .arg(d.secondBracket)
        .arg(CappedText(d.bracketOdds, OddsCap));
}

QString PayoutLine(const PayoutRates& rates) {
    const std::pair<BetType, std::optional<double>> markets[] = {
        {BetType::Win, rates.win}, {BetType::BracketQuinella, rates.bracket}, {BetType::Quinella, rates.quinella}};
    QStringList parts, incomplete;
    for (const auto& [type, rate] : markets) {
        const QString market = BetTypeName(type);
        if (!rate) {
            parts << market + QStringLiteral(" －");
            continue;
        }
        const double tenths = Tenths(*rate * 100);
        parts << market + u' ' + QString::number(tenths / 10, 'f', 1) + u'%';
        if (tenths < 600 || tenths > 1000) incomplete << market;
    }
    QString line = parts.join(u'　');
    if (!incomplete.isEmpty()) {
        line += QStringLiteral("　（%1は不完全なようです：オッズの欠けか、別の時刻のファイル）")
                    .arg(incomplete.join(u'・'));
    }
    return line;
}
