#pragma once

// Data files for the settlement tests, built from field values.

#include <QString>
#include <algorithm>
#include <array>
#include <initializer_list>
#include <ostream>

#include "common/Brackets.h"
#include "racedata/RaceFiles.h"
#include "support/Fixtures.h"
#include "tools/RecordBuilder.h"

struct KsFields {
    QString date = QStringLiteral("20261206");
    std::array<int, 3> finish{};  // horse numbers of the first three
    QString win{};
    std::array<QString, 3> place{};
    QString bracketCombo{}, bracketPayout{};
    QString quinellaCombo{}, quinellaPayout{};
};

// 7, 3, 12 home, 単勝 560, and the given quinella pair and payout.
inline KsFields QuinellaResult(const char* combo = "03-07", const char* payout = "2,310") {
    return {.finish = {7, 3, 12}, .win = u"560"_qs, .quinellaCombo = QString::fromLatin1(combo),
            .quinellaPayout = QString::fromLatin1(payout)};
}

// ks-<course><stem><race>.jra, the name PAT95 gives a result file; the stem
// stands for the meeting and day.
inline QString KsName(int course, int race, const char* stem = "081") {
    return QStringLiteral("ks-") + QString::number(course) + QLatin1String(stem) + RaceChar(race) +
           QStringLiteral(".jra");
}

inline RecordBuilder ResultRecord(int race, const KsFields& f) {
    RecordBuilder ks = KsBuilder();
    ks.set(KsLayout::RaceDate, f.date)
        .setRight(KsLayout::RaceNo, QString::number(race))
        .setRight(KsLayout::WinPayout, f.win)
        .setRight(KsLayout::PlacePayout1, f.place[0])
        .setRight(KsLayout::PlacePayout2, f.place[1])
        .setRight(KsLayout::PlacePayout3, f.place[2])
        .set(KsLayout::BracketCombo, f.bracketCombo)
        .setRight(KsLayout::BracketPayout, f.bracketPayout)
        .set(KsLayout::QuinellaCombo, f.quinellaCombo)
        .setRight(KsLayout::QuinellaPayout, f.quinellaPayout);
    for (int i = 0; i < 3; ++i) {
        if (f.finish[i]) ks.setRight(KsLayout::FinisherHorseNo(i), QString::number(f.finish[i]));
    }
    return ks;
}

inline bool WriteResult(const TempDir& dir, int course, int race, const KsFields& f,
                        const char* stem = "081") {
    return ResultRecord(race, f).writeTo(dir.file(KsName(course, race, stem)));
}

// Odds files of `date` for a race of `runners` horses: the scratched horses
// have no win odds and their pairs read "ﾄﾘｹｼ"; 枠連 odds for every bracket
// pair the runners make, unless `bracketOdds` is false (no 枠連 on sale); the
// stem's character after the course stands for the meeting and day.
inline bool WriteOdds(const TempDir& dir, int course, int race, int runners,
                      std::initializer_list<int> scratched = {},
                      const QString& date = QStringLiteral("20261206"), bool bracketOdds = true,
                      char stem = '8') {
    const auto isScratched = [&](int h) { return std::ranges::count(scratched, h) > 0; };
    RecordBuilder uo = UoBuilder();
    uo.set(UoLayout::RaceDate, date).setRight(UoLayout::Runners, QString::number(runners));
    for (int k = 0; k < runners * (runners - 1) / 2; ++k) {
        const auto [a, b] = UoRecord::PairOfEntry(k, runners);
        uo.setRight(FieldSpan{UoLayout::QuinellaOdds(k).offset, 6},
                    isScratched(a) || isScratched(b) ? u"ﾄﾘｹｼ"_qs : u"12.5"_qs);
    }
    RecordBuilder zo = ZoBuilder();
    zo.set(ZoLayout::RaceDate, date);
    int horses[MaxBracket + 1] = {};
    for (int h = 0; h < runners; ++h) {
        zo.setRight(ZoLayout::HorseNo(h), QString::number(h + 1))
            .setRight(ZoLayout::WinOdds(h),
                      isScratched(h + 1) ? QStringLiteral("取消") : QStringLiteral("4.5"));
        ++horses[BracketOf(h + 1, runners)];
    }
    for (int t = 0; t < ZoLayout::BracketCount && bracketOdds; ++t) {
        const auto [a, b] = ZoRecord::BracketPairOfEntry(t);
        if (horses[a] >= (a == b ? 2 : 1) && horses[b] >= 1)
            zo.setRight(ZoLayout::BracketOdds(t), QStringLiteral("23.4"));
    }
    const QString tail =
        QString::number(course) + QLatin1Char(stem) + RaceChar(race) + QStringLiteral(".jra");
    return uo.writeTo(dir.file(QStringLiteral("uo-") + tail)) &&
           zo.writeTo(dir.file(QStringLiteral("zo-") + tail));
}

// Readable failures.
inline void PrintTo(const QString& text, std::ostream* os) {
    *os << '"' << text.toStdString() << '"';
}
