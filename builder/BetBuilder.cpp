#include "builder/BetBuilder.h"

#include "common/Kelly.h"
#include "racedata/Value.h"

#include <QRegularExpression>
#include <algorithm>
#include <cmath>
#include <set>

#include "common/Brackets.h"
#include "common/Csv.h"
#include "common/DistributionSheet.h"
#include "common/RaceDate.h"
#include "racedata/Market.h"
#include "racedata/RaceFiles.h"
#include "racedata/Records.h"

namespace {

constexpr int Brackets = 8;

// Full-width digits and dashes as their ASCII forms.
QString normalised(QStringView text) {
    QString out;
    out.reserve(text.size());
    for (QChar c : text) {
        const char16_t u = c.unicode();
        if (u >= u'０' && u <= u'９')
            out += QChar(u'0' + (u - u'０'));
        else if (u == u'－' || u == u'−' || u == u'‐' || u == u'ー' || u == u'―')
            out += u'-';
        else
            out += c;
    }
    return out;
}

QStringList tokensOf(QStringView text) {
    static const QRegularExpression separators(QStringLiteral("[\\s\\x{3000},，、・/／]+"));
    return normalised(text).split(separators, Qt::SkipEmptyParts);
}

std::optional<int> numberOf(const QString& token) {
    if (token.isEmpty() || token.size() > 3) return std::nullopt;
    for (QChar c : token)
        if (!c.isDigit() || c.unicode() > 127) return std::nullopt;
    return token.toInt();
}

bool isBracketKind(BetType kind) {
    return kind == BetType::BracketQuinella;
}

// "7番" or "7枠".
QString nameOf(BetType kind, int n) {
    return QString::number(n) + (isBracketKind(kind) ? u'枠' : u'番');
}

// Why a number cannot be bet on, empty when it can.
QString fieldRefusal(const BuildField& field, BetType kind, int n) {
    if (isBracketKind(kind)) {
        if (n < 1 || n > Brackets) return QStringLiteral("%1はありません。").arg(nameOf(kind, n));
        bool any = false;
        for (int h = 1; h <= field.runners(); ++h) any = any || BracketOf(h, field.runners()) == n;
        if (!any) return QStringLiteral("%1に出走馬がいません。").arg(nameOf(kind, n));
        if (field.starters(n) == 0)
            return QStringLiteral("%1の馬はすべて出走取消です。").arg(nameOf(kind, n));
        return {};
    }
    if (n < 1 || n > field.runners())
        return QStringLiteral("%1は出走していません（%2頭立て）。")
            .arg(nameOf(kind, n))
            .arg(field.runners());
    if (field.scratched[size_t(n - 1)])
        return QStringLiteral("%1は出走取消です。").arg(nameOf(kind, n));
    return {};
}

struct Numbers {
    std::vector<int> numbers;
    QString refusal;
};

Numbers readNumbers(QStringView text, const BuildField& field, BetType kind) {
    Numbers read;
    for (const QString& token : tokensOf(text)) {
        const std::optional<int> n = numberOf(token);
        if (!n) {
            read.refusal = QStringLiteral("「%1」は番号ではありません。").arg(token);
            return read;
        }
        read.refusal = fieldRefusal(field, kind, *n);
        if (!read.refusal.isEmpty()) return read;
        if (std::find(read.numbers.begin(), read.numbers.end(), *n) != read.numbers.end()) {
            read.refusal = QStringLiteral("%1が重複しています。").arg(nameOf(kind, *n));
            return read;
        }
        read.numbers.push_back(*n);
    }
    return read;
}

using Pair = std::pair<int, int>;  // first <= second

// The odds text of a bet as the record holds it.
QString oddsText(const BuildField& field, BetType kind, int a, int b) {
    const RaceOdds& o = field.odds;
    switch (kind) {
        case BetType::Win:
            return o.win.size() >= size_t(a) ? o.win[size_t(a - 1)] : QString();
        case BetType::Place:
            return o.placeLow.size() >= size_t(a) ? o.placeLow[size_t(a - 1)] : QString();
        case BetType::BracketQuinella: {
            const int entry = ZoRecord::EntryOfBracketPair(a, b);
            return entry < 0 ? QString() : o.bracket[size_t(entry)];
        }
        default: {
            const int entry = UoRecord::EntryOfPair(a, b, field.runners());
            return entry < 0 || size_t(entry) >= o.quinella.size() ? QString()
                                                                   : o.quinella[size_t(entry)];
        }
    }
}

// 枠連 k-k is a bet only where bracket k has two starters.
bool zoromeRuns(const BuildField& field, int bracket) {
    return field.starters(bracket) >= 2;
}

}  // namespace

QString BetFormName(BetForm form) {
    switch (form) {
        case BetForm::Single:
            return QStringLiteral("通常");
        case BetForm::Box:
            return QStringLiteral("ボックス");
        case BetForm::Axis:
            return QStringLiteral("流し");
        case BetForm::Formation:
            return QStringLiteral("フォーメーション");
    }
    return {};
}

BetType BuildKindOf(BetType mainType) {
    return mainType == BetType::WinPlace ? BetType::Win : mainType;
}

int BuildField::starters(int bracket) const {
    int count = 0;
    for (int h = 1; h <= runners(); ++h)
        if (BracketOf(h, runners()) == bracket && !scratched[size_t(h - 1)]) ++count;
    return count;
}

BuildField BuildFieldOf(const RaceOdds& odds) {
    BuildField field{odds, std::vector<bool>(size_t(odds.runners), false)};
    for (int h = 1; h <= odds.runners; ++h) {
        bool runs = true;
        if (odds.hasWin) {
            runs = UsableOdds(odds.win[size_t(h - 1)]).has_value();
        } else if (odds.hasQuinella) {
            runs = false;
            for (int o = 1; o <= odds.runners && !runs; ++o)
                if (o != h) runs = UsableOdds(odds.quinellaOf(h, o)).has_value();
        }
        field.scratched[size_t(h - 1)] = !runs;
    }
    return field;
}

QString BuiltBet::key() const {
    return second ? QStringLiteral("%1-%2").arg(first).arg(second) : QString::number(first);
}

std::vector<int> NumbersIn(QStringView text) {
    std::vector<int> numbers;
    for (const QString& token : tokensOf(text))
        if (const auto n = numberOf(token);
            n && std::find(numbers.begin(), numbers.end(), *n) == numbers.end())
            numbers.push_back(*n);
    return numbers;
}

BuiltBets BuildBets(const BuildField& field, BetType kind, BetForm form, QStringView first,
                    QStringView second, bool zorome) {
    BuiltBets built;
    const bool bracket = isBracketKind(kind);
    std::set<Pair> pairs;
    std::vector<int> singles;

    const auto refuse = [&](const QString& why) {
        built.refusal = why;
        return built;
    };
    const auto addPair = [&](int a, int b, bool noteZorome) {
        if (a == b) {
            if (!bracket) return;
            if (!zoromeRuns(field, a)) {
                if (noteZorome)
                    built.notes << QStringLiteral("%1は出走が1頭のため %2-%2 を除きました。")
                                       .arg(nameOf(kind, a))
                                       .arg(a);
                return;
            }
        }
        pairs.insert({std::min(a, b), std::max(a, b)});
    };

    if (!IsPairType(kind)) {
        const Numbers read = readNumbers(first, field, kind);
        if (!read.refusal.isEmpty()) return refuse(read.refusal);
        singles = read.numbers;
        std::sort(singles.begin(), singles.end());
    } else if (form == BetForm::Single) {
        // Pairs typed "3-7".
        for (const QString& token : tokensOf(first)) {
            const QStringList parts = token.split(u'-');
            const auto a = parts.size() == 2 ? numberOf(parts[0]) : std::nullopt;
            const auto b = parts.size() == 2 ? numberOf(parts[1]) : std::nullopt;
            if (!a || !b)
                return refuse(
                    QStringLiteral("「%1」は組番ではありません（3-7 のように入力してください）。")
                        .arg(token));
            for (int n : {*a, *b}) {
                const QString why = fieldRefusal(field, kind, n);
                if (!why.isEmpty()) return refuse(why);
            }
            const QString pair =
                QStringLiteral("%1-%2").arg(std::min(*a, *b)).arg(std::max(*a, *b));
            if (*a == *b && (!bracket || !zoromeRuns(field, *a)))
                return refuse(QStringLiteral("%1 は買えません。").arg(pair));
            if (pairs.count({std::min(*a, *b), std::max(*a, *b)}))
                return refuse(QStringLiteral("%1が重複しています。").arg(pair));
            addPair(*a, *b, false);
        }
    } else {
        const Numbers one = readNumbers(first, field, kind);
        if (!one.refusal.isEmpty()) return refuse(one.refusal);
        Numbers two;
        if (form != BetForm::Box) {
            two = readNumbers(second, field, kind);
            if (!two.refusal.isEmpty()) return refuse(two.refusal);
        }
        switch (form) {
            case BetForm::Box:
                for (size_t i = 0; i < one.numbers.size(); ++i) {
                    if (bracket && zorome) addPair(one.numbers[i], one.numbers[i], false);
                    for (size_t j = i + 1; j < one.numbers.size(); ++j)
                        addPair(one.numbers[i], one.numbers[j], false);
                }
                break;
            case BetForm::Axis:
                if (one.numbers.size() > 1)
                    return refuse(QStringLiteral("軸は1つだけ入力してください。"));
                for (int axis : one.numbers) {
                    for (int partner : two.numbers) {
                        if (partner == axis && !bracket)
                            return refuse(QStringLiteral("%1は軸と重複しています。")
                                              .arg(nameOf(kind, partner)));
                        addPair(axis, partner, true);
                    }
                }
                break;
            default:
                for (int a : one.numbers)
                    for (int b : two.numbers) addPair(a, b, true);
                break;
        }
    }

    QStringList unsold;
    const auto add = [&](int a, int b) {
        BuiltBet bet{a, b, oddsText(field, kind, a, b), {}, false};
        if (!UsableOdds(bet.odds)) {
            unsold << bet.key();
            return;
        }
        const double cap = kind == BetType::Quinella ? QuinellaOddsCap : OddsCap;
        bet.capped = AtCap(bet.odds, cap);
        bet.shown = CappedText(bet.odds, cap);
        if (kind == BetType::Place)
            bet.shown = QStringLiteral("%1-%2").arg(bet.odds, field.odds.placeHigh[size_t(a - 1)]);
        built.bets.push_back(bet);
    };
    for (int a : singles) add(a, 0);
    for (const auto& [a, b] : pairs) add(a, b);
    if (!unsold.isEmpty())
        built.notes << (bracket ? QStringLiteral("発売のない枠連（%1）を除きました。")
                                : QStringLiteral("オッズのない買い目（%1）を除きました。"))
                           .arg(unsold.join(QStringLiteral(", ")));
    QStringList capped;
    for (const BuiltBet& bet : built.bets)
        if (bet.capped) capped << bet.key();
    if (!capped.isEmpty())
        built.notes << QStringLiteral(
                           "%1 "
                           "のオッズは「以上」で払戻を約束できないため、同額払戻と予算内の配分から"
                           "除きます。")
                           .arg(capped.join(QStringLiteral(", ")));
    return built;
}

// ---------------------------------------------------------------- spreads

QString SpreadModeName(SpreadMode mode) {
    switch (mode) {
        case SpreadMode::EqualPayout:
            return QStringLiteral("同額払戻");
        case SpreadMode::WithinBudget:
            return QStringLiteral("予算内");
        case SpreadMode::Even:
            return QStringLiteral("均等");
        case SpreadMode::Kelly:
            return QStringLiteral("ケリー");
    }
    return {};
}

namespace {

bool shares(const DistributionSheet& sheet, const LeftOut& leftOut, int i) {
    return sheet.row(i).takesShare() && !(size_t(i) < leftOut.size() && leftOut[size_t(i)]);
}

void clearStakes(DistributionSheet& sheet) {
    for (int i = 0; i < sheet.size(); ++i) sheet.setStake(i, std::nullopt);
}

SpreadResult tooSmall(qint64 budget, int count) {
    return {QStringLiteral("予算 %1円 では %2点 を買えません（1点 100円 で %3円 必要です）。")
                .arg(GroupedYen(budget))
                .arg(count)
                .arg(GroupedYen(qint64(count) * 100))};
}

}  // namespace

SpreadResult SpreadEqualPayout(DistributionSheet& sheet, const LeftOut& leftOut) {
    clearStakes(sheet);
    const std::optional<double> budget = BudgetValue(sheet.budget());
    if (!budget) return {};
    // The distribution's own spread over the rows that take a share.
    DistributionSheet shared;
    std::vector<int> at;
    for (int i = 0; i < sheet.size(); ++i) {
        if (!shares(sheet, leftOut, i)) continue;
        shared.addRow(sheet.row(i));
        at.push_back(i);
    }
    shared.setBudget(sheet.budget());
    if (shared.spread() == SpreadOutcome::TooLarge)
        return {QStringLiteral("金額が大きすぎて配分できません。")};
    for (size_t k = 0; k < at.size(); ++k) sheet.setStake(at[k], shared.row(int(k)).stake);
    const double over = double(sheet.stakeSum()) - *budget;
    if (over > 0)
        return {QStringLiteral("予算を %1円 超えています").arg(GroupedYen(qint64(std::ceil(over)))),
                true};
    return {};
}

SpreadResult SpreadWithinBudget(DistributionSheet& sheet, const LeftOut& leftOut) {
    clearStakes(sheet);
    const std::optional<double> budgetValue = BudgetValue(sheet.budget());
    if (!budgetValue) return {};
    std::vector<int> active;
    for (int i = 0; i < sheet.size(); ++i)
        if (shares(sheet, leftOut, i)) active.push_back(i);
    if (active.empty()) return {};
    const qint64 hundreds = qint64(std::floor(*budgetValue / 100));
    if (qint64(active.size()) > hundreds) return tooSmall(qint64(*budgetValue), int(active.size()));

    std::vector<qint64> stakes(size_t(sheet.size()), 0);
    double budget = *budgetValue;
    std::vector<double> units(size_t(sheet.size()), 0);
    // A row whose share is below 100 gets 100; the rest is spread again over
    // the others, until every share left reaches 100.
    for (;;) {
        float inverseSum = 0;  // as the distribution sums: single precision, row order
        for (int i : active) inverseSum = inverseSum + sheet.row(i).odds.odds->reciprocal;
        std::vector<int> below;
        for (int i : active) {
            units[size_t(i)] =
                budget / double(inverseSum) * double(sheet.row(i).odds.odds->reciprocal) / 100;
            if (units[size_t(i)] < 1) below.push_back(i);
        }
        if (below.empty()) break;
        for (int i : below) {
            stakes[size_t(i)] = 100;
            budget -= 100;
            active.erase(std::find(active.begin(), active.end(), i));
        }
        if (active.empty()) break;
    }
    qint64 left = qint64(std::floor(budget / 100 + 1e-9));
    for (int i : active) {
        const qint64 whole = qint64(std::floor(units[size_t(i)]));
        stakes[size_t(i)] = whole * 100;
        left -= whole;
    }
    // The hundreds left go one by one to the rows furthest below their share.
    std::vector<int> order = active;
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
        return units[size_t(a)] - std::floor(units[size_t(a)]) >
               units[size_t(b)] - std::floor(units[size_t(b)]);
    });
    for (size_t k = 0; left > 0 && !order.empty(); ++k, --left)
        stakes[size_t(order[k % order.size()])] += 100;
    for (int i = 0; i < sheet.size(); ++i)
        if (stakes[size_t(i)] > 0) sheet.setStake(i, stakes[size_t(i)]);
    return {};
}

SpreadResult SpreadEven(DistributionSheet& sheet, const LeftOut&) {
    clearStakes(sheet);
    const std::optional<double> budget = BudgetValue(sheet.budget());
    if (!budget) return {};
    int count = 0;
    for (int i = 0; i < sheet.size(); ++i) count += sheet.row(i).takesShare() ? 1 : 0;
    if (count == 0) return {};
    const qint64 stake = qint64(std::floor(*budget / count / 100)) * 100;
    if (stake < 100) return tooSmall(qint64(*budget), count);
    for (int i = 0; i < sheet.size(); ++i)
        if (sheet.row(i).takesShare()) sheet.setStake(i, stake);
    return {};
}

QString KellyFractionName(int divisor) {
    return divisor == 1 ? QStringLiteral("1") : QStringLiteral("1/%1").arg(divisor);
}

SpreadResult SpreadKelly(DistributionSheet& sheet, const LeftOut& leftOut,
                         const KellyInputs& kelly) {
    clearStakes(sheet);
    if (sheet.size() == 0) return {};  // no bets yet: nothing to say
    if (!kelly.bank || *kelly.bank < 100) return {QStringLiteral("資金を入力してください。")};
    std::vector<KellyBet> bets;
    std::vector<int> at;
    for (int i = 0; i < sheet.size(); ++i) {
        if (!shares(sheet, leftOut, i) || size_t(i) >= kelly.chances.size() ||
            !kelly.chances[size_t(i)])
            continue;
        const std::optional<double> odds = ExactOdds(sheet.row(i).oddsText);
        if (!odds) continue;
        bets.push_back({*kelly.chances[size_t(i)], *odds});
        at.push_back(i);
    }
    if (bets.empty())
        return {QStringLiteral("確率のわかる買い目がありません（複勝はケリーで配分できません）。")};
    const std::vector<qint64> stakes = KellyStakes(bets, *kelly.bank, kelly.fraction);
    for (size_t k = 0; k < at.size(); ++k)
        if (stakes[k] > 0) sheet.setStake(at[k], stakes[k]);
    if (sheet.stakeSum() == 0) {
        const std::vector<double> shares = KellyShares(bets).shares;
        if (std::any_of(shares.begin(), shares.end(), [](double share) { return share > 0; }))
            return {QStringLiteral("賭け金が 100円 に満たないため、すべて見送りです。")};
        return {QStringLiteral("期待値が見合う買い目がないため、すべて見送りです。")};
    }
    return {};
}

SpreadResult SpreadBy(SpreadMode mode, DistributionSheet& sheet, const SpreadInputs& inputs) {
    switch (mode) {
        case SpreadMode::EqualPayout:
            return SpreadEqualPayout(sheet, inputs.leftOut);
        case SpreadMode::WithinBudget:
            return SpreadWithinBudget(sheet, inputs.leftOut);
        case SpreadMode::Even:
            return SpreadEven(sheet, inputs.leftOut);
        case SpreadMode::Kelly:
            return SpreadKelly(sheet, inputs.leftOut, inputs.kelly);
    }
    return {};
}

std::optional<qint64> RowPayout(const DistributionSheet& sheet, int row) {
    const SheetRow& r = sheet.row(row);
    if (!r.stake || !r.takesShare() || !r.odds.odds->exact) return std::nullopt;
    return PayoutYen(*r.odds.odds->exact, *r.stake);
}

bool IsTrigami(const DistributionSheet& sheet, int row) {
    const std::optional<qint64> payout = RowPayout(sheet, row);
    return payout && *payout < sheet.stakeSum();
}

TotalLine TotalLineOf(const DistributionSheet& sheet) {
    // The figures of the rows bought: a row without a stake promises nothing.
    DistributionSheet bought;
    for (const SheetRow& row : sheet.rows())
        if (row.stake) bought.setStake(bought.addRow(row), row.stake);
    TotalLine line{QStringLiteral("合計 %1円").arg(GroupedYen(bought.stakeSum())), false};
    const Spread spread = SpreadOf(bought);
    if (spread.composite.isEmpty()) return line;
    line.text += QStringLiteral("　合成オッズ %1　払戻 %2　収支 %3")
                     .arg(spread.composite, spread.returns, spread.profit);
    line.loss = spread.loss;
    return line;
}

BetSlip BuiltSlip(const DistributionSheet& sheet, const Race& race, BetType kind) {
    BetSlip slip = sheet.slip(race, kind);
    std::erase_if(slip.bets, [](const SlipBet& bet) { return bet.stake <= 0; });
    return slip;
}

QByteArray BuiltCsv(const DistributionSheet& sheet, const std::vector<BuiltBet>& bets,
                    BetType kind) {
    const QString type = BetTypeName(kind);
    QString csv = QStringLiteral("券種,買い目,第1,第2,オッズ,金額,払戻,収支\r\n");
    const qint64 total = sheet.stakeSum();
    for (int i = 0; i < sheet.size() && size_t(i) < bets.size(); ++i) {
        const BuiltBet& bet = bets[size_t(i)];
        const std::optional<qint64> stake = sheet.row(i).stake;
        const std::optional<qint64> payout = RowPayout(sheet, i);
        QStringList fields{CsvField(type),
                           CsvPairField(type, bet.key()),
                           QString::number(bet.first),
                           bet.second ? QString::number(bet.second) : QString(),
                           CsvField(bet.shown),
                           stake ? QString::number(*stake) : QString(),
                           payout ? QString::number(*payout) : QString(),
                           payout ? QString::number(*payout - total) : QString()};
        csv += fields.join(u',') + QStringLiteral("\r\n");
    }
    return QByteArray("\xEF\xBB\xBF") + csv.toUtf8();
}
