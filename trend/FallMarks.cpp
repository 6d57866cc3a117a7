#include "trend/FallMarks.h"

#include "trend/TrendTable.h"

namespace {

constexpr int LineFalls = 3;

}  // namespace

FallMarks FallMarksOf(const Race& race, OddsFile file, const QByteArray& shown, TrendKind kind) {
    FallMarks marks;
    OddsHistory* history = OpenedOddsHistory();
    if (!history || race.course < 0 || race.number <= 0) return marks;
    const auto current = history->snapshotOf(race.course, race.number, file, shown);
    if (!current) return marks;
    const auto before = history->previous(*current);
    if (!before) return marks;
    for (const OddsFall& fall : FallsBetween(*before, *current, kind, -1)) {
        if (marks.line.size() < LineFalls) marks.line << FallText(fall);
        marks.byKey.insert(fall.key, fall);
    }
    return marks;
}

QString FallTip(const OddsFall& fall) {
    return QStringLiteral("前回 %1（%2）")
        .arg(fall.previousOdds, fall.previousTime.toLocalTime().toString(QStringLiteral("HH:mm")));
}
