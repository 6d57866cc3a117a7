#include "common/RaceDate.h"

#include <QDate>

namespace {

// A part of the date: its digits, blanks around them allowed; -1 otherwise.
int datePart(QStringView part) {
    part = part.trimmed();
    if (part.isEmpty()) return -1;
    int value = 0;
    for (QChar c : part) {
        if (c < u'0' || c > u'9') return -1;
        value = value * 10 + (c.unicode() - u'0');
    }
    return value;
}

}  // namespace

QString RaceDateDisplay(QStringView field) {
    if (field.size() < 8) return {};
    const int year = datePart(field.mid(0, 4));
    const int month = datePart(field.mid(4, 2));
    const int day = datePart(field.mid(6, 2));
    if (year < 1 || month < 1 || day < 1) return {};
    const QDate date(year, month, day);
    if (!date.isValid()) return {};
    return date.toString(QStringLiteral("yyyy年MM月dd日"));
}

QDate RecordDate(QStringView field) {
    if (field.size() != 8) return {};
    for (QChar c : field) {
        if (c < u'0' || c > u'9') return {};
    }
    const QDate date(field.first(4).toInt(), field.sliced(4, 2).toInt(),
                     field.sliced(6, 2).toInt());
    return date.isValid() && date.year() > 0 ? date : QDate();
}
