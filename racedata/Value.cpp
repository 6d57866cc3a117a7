#include "racedata/Value.h"

#include <algorithm>
#include <cmath>

#include "common/Brackets.h"
#include "common/Odds.h"
#include "common/TextTable.h"
#include "racedata/Records.h"

namespace {

// Rounded half up at `places` decimals; the nudge keeps a figure that is a
// half in decimal from falling below it in binary.
QString rounded(double value, int places) {
    const double scale = std::pow(10.0, places);
    const double units = std::round(value * scale + std::copysign(1e-9, value));
    return QString::number(units / scale, 'f', places);
}

QString gammaText() {
    return QStringLiteral("組の確率：γ = %1").arg(HarvilleGamma, 0, 'f', 2);
}

}  // namespace

std::vector<double> PairProbabilities(const std::vector<double>& win, double gamma) {
    const std::size_t n = win.size();
    std::vector<double> sigma(n);
    double sum = 0;
    for (std::size_t k = 0; k < n; ++k) {
        sigma[k] = std::pow(win[k], gamma);
        sum += sigma[k];
    }
    // p_i / (1 − σ_i): the chance of i first, per unit of the others' share.
    std::vector<double> firstOver(n);
    for (std::size_t k = 0; k < n; ++k) {
        sigma[k] /= sum;
        firstOver[k] = sigma[k] < 1 ? win[k] / (1 - sigma[k]) : 0;
    }
    std::vector<double> pairs(n * n, 0.0);
    for (std::size_t i = 0; i < n; ++i) {
        for (std::size_t j = i + 1; j < n; ++j) {
            const double p = firstOver[i] * sigma[j] + firstOver[j] * sigma[i];
            pairs[i * n + j] = p;
            pairs[j * n + i] = p;
        }
    }
    return pairs;
}

std::optional<double> ExactOdds(QStringView text) {
    const OddsReading reading = ReadOdds(text);
    if (!reading.odds) return std::nullopt;
    const std::optional<ExactDecimal>& exact = reading.odds->exact;
    if (!exact || exact->exponent < -22 || exact->exponent > 22) return reading.odds->value;
    // Powers of ten up to 10^22 are exact in double: one rounding in all.
    const double scale = std::pow(10.0, std::abs(exact->exponent));
    const double digits = static_cast<double>(exact->digits);
    return exact->exponent < 0 ? digits / scale : digits * scale;
}

RaceChances ChancesOfRace(const RaceOdds& odds, const MarketAnalysis& market, double beta,
                          double gamma) {
    RaceChances chances;
    const int n = odds.runners;
    chances.runners = n;
    chances.win.assign(size_t(std::max(n, 0)), 0.0);
    chances.pairs.assign(size_t(std::max(n, 0)) * size_t(std::max(n, 0)), 0.0);
    // The starters with usable win odds.
    std::vector<BacktestStarter> priced;
    for (const HorseRow& row : market.horses) {
        if (row.scratched || !odds.hasWin || row.horse < 1 || row.horse > n) continue;
        const std::optional<double> win = ExactOdds(row.win);
        if (win) priced.push_back({row.horse, *win});
    }
    if (priced.empty()) return chances;
    const std::vector<double> p = Calibrated(MarketProbabilities(priced), beta);
    const std::vector<double> pairs = PairProbabilities(p, gamma);
    const std::size_t m = priced.size();
    for (std::size_t i = 0; i < m; ++i) {
        const std::size_t hi = size_t(priced[i].horse - 1);
        chances.win[hi] = p[i];
        for (std::size_t j = 0; j < m; ++j)
            chances.pairs[hi * size_t(n) + size_t(priced[j].horse - 1)] = pairs[i * m + j];
    }
    return chances;
}

std::optional<double> RaceChances::of(BetType type, int first, int second) const {
    const auto horse = [this](int h) { return h >= 1 && h <= runners && win[size_t(h - 1)] > 0; };
    switch (type) {
        case BetType::Win:
            if (!horse(first)) return std::nullopt;
            return win[size_t(first - 1)];
        case BetType::Quinella:
            if (!horse(first) || !horse(second) || first == second) return std::nullopt;
            return pairs[size_t(first - 1) * size_t(runners) + size_t(second - 1)];
        case BetType::BracketQuinella: {
            if (first < 1 || first > 8 || second < 1 || second > 8) return std::nullopt;
            double chance = 0;
            for (int i = 1; i <= runners; ++i) {
                const int bi = BracketOf(i, runners);
                for (int j = i + 1; j <= runners; ++j) {
                    const int bj = BracketOf(j, runners);
                    if ((bi == first && bj == second) || (bi == second && bj == first))
                        chance += pairs[size_t(i - 1) * size_t(runners) + size_t(j - 1)];
                }
            }
            return chance;
        }
        case BetType::WinPlace:
        case BetType::Place:
            break;
    }
    return std::nullopt;
}

RaceValue ValueOfRace(const RaceOdds& odds, const MarketAnalysis& market, double beta,
                      double gamma) {
    RaceValue result;
    const int n = odds.runners;
    const RaceChances chances = ChancesOfRace(odds, market, beta, gamma);
    for (const HorseRow& row : market.horses) {
        HorseValue h{row.horse, {}, {}, false};
        const std::optional<double> win = ExactOdds(row.win);
        if (!row.scratched && odds.hasWin && win && row.horse >= 1 && row.horse <= n) {
            h.chance = chances.win[size_t(row.horse - 1)];
            h.value = *h.chance * *win;
            h.capped = AtCap(odds.win[size_t(row.horse - 1)], OddsCap);
        }
        result.horses.push_back(h);
    }
    if (std::none_of(chances.win.begin(), chances.win.end(), [](double p) { return p > 0; }))
        return result;

    std::vector<ValueBet> bets;
    if (odds.hasQuinella) {
        for (int i = 1; i <= n; ++i) {
            for (int j = i + 1; j <= n; ++j) {
                const std::optional<double> chance = chances.of(BetType::Quinella, i, j);
                if (!chance) continue;
                const QString& text = odds.quinellaOf(i, j);
                const std::optional<double> value = ExactOdds(text);
                if (!value || *value >= QuinellaOddsCap) continue;
                if (*chance * *value >= 1)
                    bets.push_back({BetType::Quinella, i, j, text, *chance, *chance * *value});
            }
        }
    }
    for (int a = 1; a <= 8; ++a) {
        for (int b = a; b <= 8; ++b) {
            const QString& text = odds.bracket[ZoRecord::EntryOfBracketPair(a, b)];
            const std::optional<double> value = ExactOdds(text);
            if (!value || *value >= OddsCap) continue;
            const double chance = chances.of(BetType::BracketQuinella, a, b).value_or(0);
            if (chance * *value >= 1)
                bets.push_back({BetType::BracketQuinella, a, b, text, chance, chance * *value});
        }
    }
    std::sort(bets.begin(), bets.end(), [](const ValueBet& x, const ValueBet& y) {
        if (x.value != y.value) return x.value > y.value;
        if (x.type != y.type) return x.type == BetType::Quinella;
        return std::pair(x.first, x.second) < std::pair(y.first, y.second);
    });
    if (bets.size() > static_cast<std::size_t>(ValueListLength)) bets.resize(ValueListLength);
    result.bets = std::move(bets);
    return result;
}

QString ChanceText(double chance) {
    return rounded(100 * chance, 1);
}

QString ValueText(double value) {
    return rounded(value, 2);
}

QString ValueBetText(const ValueBet& bet) {
    return QStringLiteral("%1 %2-%3 %4 期待値 %5（確率 %6%）")
        .arg(BetTypeName(bet.type))
        .arg(bet.first)
        .arg(bet.second)
        .arg(bet.odds, ValueText(bet.value), ChanceText(bet.chance));
}

void AddValueColumns(TextTable& horses, const RaceValue& value) {
    horses.headers << QStringLiteral("補正勝率") << QStringLiteral("期待値");
    for (std::size_t r = 0; r < horses.rows.size(); ++r) {
        TableCell chance{QString(), QColor(), true}, worth{QString(), QColor(), true};
        if (r < value.horses.size()) {
            const HorseValue& h = value.horses[r];
            if (h.chance) chance.text = ChanceText(*h.chance);
            if (h.value)
                worth.text = ValueText(*h.value) + (h.capped ? QStringLiteral("以上") : QString());
        }
        horses.rows[r].push_back(chance);
        horses.rows[r].push_back(worth);
    }
}

ValueBasis BasisOfFit(const std::optional<CalibrationFit>& fit) {
    ValueBasis basis;
    if (!fit) {
        basis.line = QStringLiteral("補正勝率：β = 1（回収率分析で補正指数を求めると使います）");
    } else if (!(fit->fitted && fit->races >= FitMinimumRaces)) {
        basis.line = QStringLiteral("補正勝率：β = 1（%1 は %2 レース未満のため使いません）")
                         .arg(BetaLine(*fit))
                         .arg(FitMinimumRaces);
    } else {
        basis.beta = UsedBeta(*fit);
        basis.line = QStringLiteral("補正勝率：") + BetaLine(*fit);
    }
    basis.line += u'　' + gammaText();
    return basis;
}

ValueBasis FixedBasis(double beta) {
    return {beta, QStringLiteral("補正勝率：補正指数 β = %1（指定）　").arg(beta, 0, 'f', 3) +
                      gammaText()};
}
