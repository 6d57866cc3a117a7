#include "trend/FallMarks.h"

#include "trend/TrendTable.h"

namespace {

constexpr int LineFalls = 3;

}  // namespace

std::vector<FallMarks> FallMarksOf(const Race& race, OddsFile file, const QByteArray& shown,
                                   const std::vector<BetType>& kinds) {
    std::vector<FallMarks> marks(kinds.size());
    OddsHistory* history = OpenedOddsHistory();
    if (!history || race.course < 0 || race.number <= 0) return marks;
    const auto current = history->snapshotOf(race.course, race.number, file, shown);
    if (!current) return marks;
    const auto before = history->previous(*current);
    if (!before) return marks;
    for (size_t k = 0; k < kinds.size(); ++k) {
        for (const OddsFall& fall : FallsBetween(*before, *current, kinds[k], -1)) {
            if (marks[k].line.size() < LineFalls) marks[k].line << FallText(fall);
            marks[k].byKey.insert(fall.key, fall);
        }
    }
    return marks;
}

FallMarks FallMarksOf(const Race& race, OddsFile file, const QByteArray& shown, BetType kind) {
    return std::move(FallMarksOf(race, file, shown, std::vector{kind}).front());
}

QString FallTip(const OddsFall& fall) {
    return QStringLiteral("前回 %1（%2）")
        .arg(fall.previousOdds, fall.previousTime.toLocalTime().toString(QStringLiteral("HH:mm")));
}
