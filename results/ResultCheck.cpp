#include "results/ResultCheck.h"

#include "common/NumberText.h"

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

bool ShowsSelectedRace(QStringView placeCaption, QStringView raceCaption, QStringView selectedPlace,
                       std::optional<int> selectedRace) {
    if (TrimBlanks(placeCaption) != TrimBlanks(selectedPlace)) return false;
    const std::optional<double> race = NumericValue(raceCaption);
    return race && selectedRace && *race == *selectedRace;
}
