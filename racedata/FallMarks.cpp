#include "racedata/FallMarks.h"

namespace {

FallMarksSource& source() {
    static FallMarksSource set;
    return set;
}

}  // namespace

void SetFallMarksSource(FallMarksSource marks) {
    source() = std::move(marks);
}

std::vector<FallMarks> FallMarksOf(const Race& race, OddsFile file, const QByteArray& shown,
                                   const std::vector<BetType>& kinds) {
    if (!source()) return std::vector<FallMarks>(kinds.size());
    std::vector<FallMarks> marks = source()(race, file, shown, kinds);
    marks.resize(kinds.size());
    return marks;
}

FallMarks FallMarksOf(const Race& race, OddsFile file, const QByteArray& shown, BetType kind) {
    return std::move(FallMarksOf(race, file, shown, std::vector{kind}).front());
}

QString FallTip(const OddsFall& fall) {
    return QStringLiteral("前回 %1（%2）")
        .arg(fall.previousOdds, fall.previousTime.toLocalTime().toString(QStringLiteral("HH:mm")));
}
