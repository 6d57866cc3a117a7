#include "common/DistributionSheet.h"

#include <cmath>

#include "common/NumberText.h"

namespace {

bool fits(double amount) {
    return std::isfinite(amount) && std::abs(amount) < MaxAmount;
}

// The stakes and payouts a spread gives each row, and their total.
struct Figures {
    SpreadOutcome outcome = SpreadOutcome::Kept;
    std::vector<std::optional<qint64>> stakes;
    std::vector<std::optional<double>> payouts;
    qint64 total = 0;
};

Figures figure(const std::vector<SheetRow>& rows, std::optional<double> budget) {
    Figures figures;
    if (!budget || *budget <= 0) return figures;
    figures.outcome = SpreadOutcome::TooLarge;
    const std::optional<double> budgetValue = BudgetValue(budget);
    if (!budgetValue) return figures;

    float inverseSum = 0;
    for (const SheetRow& row : rows) {
        if (row.takesShare()) inverseSum = inverseSum + row.odds.odds->reciprocal;
    }
    if (!std::isfinite(inverseSum)) return figures;

    figures.stakes.resize(rows.size());
    figures.payouts.resize(rows.size());
    double total = 0;
    for (size_t i = 0; i < rows.size(); ++i) {
        if (!rows[i].takesShare()) continue;  // no stake, no payout
        const Odds& odds = *rows[i].odds.odds;
        const double units =
            RoundHalfEven(*budgetValue / double(inverseSum) * double(odds.reciprocal) / 100);
        const double stake = units == 0 ? 100 : units * 100;
        const double payout = odds.value * stake;
        total += stake;
        if (!fits(stake) || !fits(payout) || !fits(total)) return figures;
        figures.stakes[i] = qint64(stake);
        figures.payouts[i] = payout;
    }
    figures.outcome = SpreadOutcome::Spread;
    figures.total = qint64(total);
    return figures;
}

}  // namespace

DistributionSheet::DistributionSheet(int rows) : rows_(size_t(std::max(rows, 0))) {}

int DistributionSheet::addRow(SheetRow row) {
    rows_.push_back(std::move(row));
    return size() - 1;
}

void DistributionSheet::insertRow(int at, SheetRow row) {
    rows_.insert(rows_.begin() + at, std::move(row));
}

void DistributionSheet::removeRow(int at) {
    rows_.erase(rows_.begin() + at);
}

void DistributionSheet::setFirst(int index, const QString& first) {
    rows_[size_t(index)].first = first;
}

void DistributionSheet::setSecond(int index, const QString& second) {
    rows_[size_t(index)].second = second;
}

OddsRefusal DistributionSheet::setOdds(int index, QStringView text) {
    SheetRow& row = rows_[size_t(index)];
    row.oddsText = text.toString();
    row.odds = ReadOdds(text);
    return row.odds.refusal;
}

void DistributionSheet::setBudget(QStringView text) {
    budget_ = NumericValue(text);
}

void DistributionSheet::setBudget(std::optional<double> value) {
    budget_ = value;
}

SpreadOutcome DistributionSheet::spreadOutcome() const {
    return figure(rows_, budget_).outcome;
}

SpreadOutcome DistributionSheet::spread() {
    Figures figures = figure(rows_, budget_);
    total_ = figures.total;
    if (figures.outcome == SpreadOutcome::Kept) return figures.outcome;
    for (size_t i = 0; i < rows_.size(); ++i) {
        const bool spread = figures.outcome == SpreadOutcome::Spread;
        rows_[i].stake = spread ? figures.stakes[i] : std::nullopt;
        rows_[i].payout = spread ? figures.payouts[i] : std::nullopt;
    }
    return figures.outcome;
}

namespace {

// A row's stake moved or set to the given amount: its payout figured again;
// false when the row takes no share or an amount cannot be shown.
bool placeStake(SheetRow& row, double stake) {
    if (!row.takesShare()) return false;
    const double payout = row.odds.odds->value * stake;
    if (!fits(stake) || !fits(payout)) return false;
    row.stake = qint64(stake);
    row.payout = payout;
    return true;
}

}  // namespace

bool DistributionSheet::stakeUp(int index) {
    SheetRow& row = rows_[size_t(index)];
    const bool moved = row.stake && placeStake(row, double(*row.stake) + 100);
    countTotal();
    return moved;
}

bool DistributionSheet::stakeDown(int index) {
    SheetRow& row = rows_[size_t(index)];
    const bool moved = row.stake && *row.stake > 100 && placeStake(row, double(*row.stake) - 100);
    countTotal();
    return moved;
}

bool DistributionSheet::setStake(int index, std::optional<qint64> stake) {
    SheetRow& row = rows_[size_t(index)];
    bool set = true;
    if (!stake) {
        row.stake.reset();
        row.payout.reset();
    } else {
        set = *stake >= 100 && *stake % 100 == 0 && placeStake(row, double(*stake));
    }
    countTotal();
    return set;
}

DistributionSheet::WorkedBack DistributionSheet::workBack(QStringView target, qint64 maxTotal) {
    const std::optional<double> goal = NumericValue(target);
    if (!goal) return {TargetProblem::TargetNotNumber};
    if (*goal <= 0) return {TargetProblem::TargetNotPositive};
    int firstOdds = -1;
    bool usable = false;
    for (int i = 0; i < size(); ++i) {
        if (firstOdds < 0 && !rows_[size_t(i)].oddsText.isEmpty()) firstOdds = i;
        usable = usable || rows_[size_t(i)].takesShare();
    }
    if (firstOdds < 0) return {TargetProblem::NoBets};
    if (!usable) return {TargetProblem::OddsMissing, firstOdds};

    const std::optional<ExactDecimal> exactGoal = ExactDecimalOf(target);
    if (!exactGoal) return {TargetProblem::TooLarge};
    std::vector<std::optional<qint64>> stakes(rows_.size());
    qint64 total = 0;
    for (size_t i = 0; i < rows_.size(); ++i) {
        if (!rows_[i].takesShare()) continue;
        stakes[i] = WorkedBackStake(*rows_[i].odds.odds, *exactGoal);
        if (!stakes[i]) return {TargetProblem::TooLarge};
        total += *stakes[i];
        if (total >= MaxAmount || total > maxTotal) return {TargetProblem::TooLarge};
    }
    for (size_t i = 0; i < rows_.size(); ++i) {
        rows_[i].stake = stakes[i];
        rows_[i].payout.reset();
        if (stakes[i]) rows_[i].payout = rows_[i].odds.odds->value * double(*stakes[i]);
    }
    total_ = total;
    budget_ = double(total);
    return {};
}

DistributionSheet::WorkedBack DistributionSheet::workBack(qint64 targetYen, qint64 maxTotal) {
    return workBack(QString::number(targetYen), maxTotal);
}

void DistributionSheet::countTotal() {
    total_ = stakeSum();
}

qint64 DistributionSheet::stakeSum() const {
    qint64 sum = 0;
    for (const SheetRow& row : rows_) sum += row.stake.value_or(0);
    return sum;
}

std::optional<double> DistributionSheet::compositeOdds() const {
    double inverseSum = 0;
    bool any = false;
    for (const SheetRow& row : rows_) {
        if (!row.takesShare()) continue;
        inverseSum += 1.0 / row.odds.odds->value;
        any = true;
    }
    if (!any) return std::nullopt;
    return 1.0 / inverseSum;
}

std::optional<PayoutRange> DistributionSheet::payoutRange() const {
    std::optional<PayoutRange> range;
    for (const SheetRow& row : rows_) {
        if (!row.stake || *row.stake <= 0 || *row.stake >= MaxAmount || !row.takesShare() ||
            !row.odds.odds->exact)
            continue;
        const std::optional<qint64> payout = PayoutYen(*row.odds.odds->exact, *row.stake);
        if (!payout || *payout >= MaxAmount) continue;
        if (!range) range = PayoutRange{*payout, *payout};
        range->least = std::min(range->least, *payout);
        range->most = std::max(range->most, *payout);
    }
    return range;
}

std::optional<bool> DistributionSheet::payoutShort(int index) const {
    const SheetRow& row = rows_[size_t(index)];
    if (!row.payout || !budget_) return std::nullopt;
    // The payout as shown, to 15 significant digits: 1.15 x 100 is 115.
    return QString::number(*row.payout, 'g', 15).toDouble() < *budget_;
}

EntryCheck DistributionSheet::checkEntries() const {
    if (!budget_) return {EntryProblem::BudgetNotNumber};
    if (*budget_ <= 0) return {EntryProblem::BudgetMissing};
    // A distribution too large to show leaves no stakes to write.
    if (spreadOutcome() == SpreadOutcome::TooLarge) return {EntryProblem::BudgetMissing};

    bool anyOdds = false;
    for (const SheetRow& row : rows_) anyOdds = anyOdds || !row.oddsText.isEmpty();
    if (!anyOdds) return {EntryProblem::NoBets};

    for (int i = 0; i < size(); ++i) {
        const SheetRow& row = rows_[size_t(i)];
        if (!row.first.isEmpty() && !row.takesShare()) return {EntryProblem::OddsMissing, i};
    }
    return {};
}

BetSlip DistributionSheet::slip(const Race& race, BetType type) const {
    BetSlip slip{race, type, {}};
    for (const SheetRow& row : rows_) {
        if (row.first.isEmpty() || row.oddsText.isEmpty()) continue;
        slip.bets.push_back({row.first, IsPairType(type) ? row.second : QString(),
                             row.odds.odds.value_or(Odds{row.oddsText, 0, 0, {}}),
                             row.stake.value_or(0)});
    }
    return slip;
}

namespace {

// Whole yen in digit groups, 13000 as "13,000"; with a sign, "+3,100", "-400" and "0".
QString grouped(qint64 yen, bool sign) {
    QString digits = QString::number(qAbs(yen));
    for (qsizetype at = digits.size() - 3; at > 0; at -= 3) digits.insert(at, u',');
    if (yen < 0) return u'-' + digits;
    return sign && yen > 0 ? u'+' + digits : digits;
}

QString yenRange(qint64 least, qint64 most, bool sign) {
    QString text = grouped(least, sign);
    if (most != least) text += u'〜' + grouped(most, sign);
    return text + u'円';
}

}  // namespace

Spread SpreadOf(const DistributionSheet& sheet) {
    const std::optional<PayoutRange> range = sheet.payoutRange();
    if (!range) return {};
    // A total too large to show to the yen counts nothing.
    const qint64 staked = sheet.total() < MaxAmount ? sheet.total() : 0;
    Spread spread;
    spread.composite = CompositeText(*sheet.compositeOdds());
    spread.returns = yenRange(range->least, range->most, false);
    spread.profit = yenRange(range->least - staked, range->most - staked, true);
    spread.loss = range->least < staked;
    return spread;
}

QString GroupedYen(qint64 yen, bool sign) {
    return grouped(yen, sign);
}

QString StakeText(std::optional<qint64> stake) {
    return stake ? FormatGeneral(double(*stake)) : QString();
}

QString PayoutText(std::optional<double> payout) {
    return payout ? FormatGeneral(*payout) : QString();
}
