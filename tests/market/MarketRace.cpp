#include "MarketRace.h"

#include "racedata/Records.h"
#include "tools/RecordBuilder.h"

QByteArray MarketRace::uo() const {
    RecordBuilder b = UoBuilder();
    b.set(UoLayout::RaceDate, QStringLiteral("20261206"))
        .set(UoLayout::RaceTitle, QStringLiteral("テスト特別"))
        .setRight(UoLayout::Runners, QString::number(runners));
    for (int k = 0; k < runners * (runners - 1) / 2; ++k) {
        const auto [a, c] = UoRecord::PairOfEntry(k, runners);
        b.setRight({UoLayout::QuinellaOdds(k).offset, 6}, pair(a, c));
    }
    return b.bytes();
}

QByteArray MarketRace::zo() const {
    RecordBuilder b = ZoBuilder();
    b.set(ZoLayout::RaceDate, QStringLiteral("20261206"))
        .set(ZoLayout::RaceTitle, QStringLiteral("テスト特別"));
    for (int h = 0; h < runners; ++h)
        b.setRight(ZoLayout::HorseNo(h), QString::number(h + 1))
            .setRight(ZoLayout::WinOdds(h), win[h])
            .setRight(ZoLayout::PlaceOddsLow(h), QStringLiteral("1.3"))
            .setRight(ZoLayout::PlaceOddsHigh(h), QStringLiteral("1.8"));
    for (const auto& [brackets, odds] : bracket)
        b.setRight(
            ZoLayout::BracketOdds(ZoRecord::EntryOfBracketPair(brackets.first, brackets.second)),
            odds);
    return b.bytes();
}

MarketRace NineStarters() {
    MarketRace race{9, {u"2.0"_qs,  u"3.5"_qs,  u"5.0"_qs,  u"8.0"_qs, u"10.0"_qs,
                u"20.0"_qs, u"25.0"_qs, u"40.0"_qs, u"50.0"_qs},
                    [](int a, int) { return a == 1 ? u"10.0"_qs : u"40.0"_qs; }, {}};
    for (int a = 1; a <= 8; ++a)
        for (int b = a + 1; b <= 8; ++b)
            race.bracket[{a, b}] = b == 8 ? u"19.0"_qs : a == 1 ? u"9.0"_qs : u"35.0"_qs;
    race.bracket[{1, 2}] = u"12.0"_qs;
    race.bracket[{1, 8}] = u"4.8"_qs;
    race.bracket[{8, 8}] = u"40.0"_qs;
    race.bracket[{1, 1}] = u"5.0"_qs;
    return race;
}

MarketRace FiveAtFive() {
    return {5, std::vector<QString>(5, u"5.0"_qs),
            [](int a, int) { return a == 1 ? u"9.0"_qs : u"11.5"_qs; }, {}};
}
