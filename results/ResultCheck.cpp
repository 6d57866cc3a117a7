#include "results/ResultCheck.h"

#include "common/NumberText.h"
#include "common/RaceDate.h"

namespace {
bool isBlank(QChar c) {
    return c == u' ' || c == u'\t' || c == QChar(0x3000);
}
}  // namespace

QString TrimBlanks(QStringView text) {
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && isBlank(text[begin])) ++begin;
    while (end > begin && isBlank(text[end - 1])) --end;
    return text.sliced(begin, end - begin).toString();
}

Race RaceOfResult(const KsRecord& ks) {
    Race race;
    race.date = RecordDate(ks.RaceDate());
    race.course = CourseCodeOf(TrimBlanks(ks.CourseName()));
    const std::optional<double> number = NumericValue(ks.RaceNo());
    if (number && *number >= 1 && *number <= 12 && *number == int(*number))
        race.number = int(*number);
    return race;
}
