#pragma once

// Records and a race selection for the odds window tests, built from field
// values with the record builder.

#include <QComboBox>
#include <QString>
#include <functional>
#include <tuple>
#include <vector>

#include "common/RaceSelection.h"
#include "odds/PairNumbering.h"
#include "racedata/AppState.h"
#include "tools/RecordBuilder.h"

// The main window's three lists, as FillSelectionLists leaves them.
struct SelectionLists {
    QComboBox place, type, race;
    RaceSelection selection{&place, &type, &race};
    SelectionLists() { FillSelectionLists(&place, &type, &race); }
    void select(const QString& placeText, int typeCode, int raceNo) {
        place.setCurrentIndex(place.findText(placeText));
        type.setCurrentIndex(type.findData(typeCode));
        race.setCurrentIndex(race.findData(raceNo));
    }
};

// A quinella record of `runners` (as the field's text) whose entry for pair
// (a,b) holds odds(a,b) right-aligned in its first six characters.
inline RecordBuilder QuinellaRecord(const QString& runners, int n,
                                    const std::function<QString(int, int)>& odds) {
    RecordBuilder uo = UoBuilder();
    uo.set(UoLayout::RaceDate, QStringLiteral("19990405"))
        .set(UoLayout::RaceTitle, QStringLiteral("第５９回皐月賞（ＧⅠ）　サラ系３歳オープン"))
        .setRight(UoLayout::Runners, runners);
    for (int a = 1; a < n; ++a) {
        for (int b = a + 1; b <= n; ++b) {
            uo.set(UoLayout::QuinellaOdds(QuinellaEntryIndex(a, b, n)),
                   QStringLiteral("%1").arg(odds(a, b), 6));
        }
    }
    return uo;
}

// Odds that differ for every pair, so that a cell shows which entry it read.
inline QString PairOdds(int a, int b) {
    return QStringLiteral("%1.%2").arg(a * 20 + b).arg(b % 10);
}

// A zo- record whose bracket pair t holds odds(t) right-aligned and whose horse
// h holds win and place odds made from h.
inline RecordBuilder BracketRecord(const std::function<QString(int)>& odds) {
    RecordBuilder zo = ZoBuilder();
    zo.set(ZoLayout::RaceDate, QStringLiteral("20261206"))
        .set(ZoLayout::RaceTitle, QStringLiteral("第７８回朝日杯フューチュリティＳ（ＧⅠ）"));
    for (int t = 0; t < BracketCellCount; ++t) zo.setRight(ZoLayout::BracketOdds(t), odds(t));
    for (int h = 0; h < 18; ++h) {
        zo.setRight(ZoLayout::HorseNo(h), QString::number(h + 1))
            .setRight(ZoLayout::WinOdds(h), QStringLiteral("%1.%2").arg(h * 3 + 1).arg(h % 10))
            .setRight(ZoLayout::PlaceOddsLow(h), QStringLiteral("%1.0").arg(h + 1))
            .setRight(ZoLayout::PlaceOddsHigh(h), QStringLiteral("%1.5").arg(h + 2));
    }
    return zo;
}

// What a picker handed back, row by row.
struct Pick {
    int row;
    QString odds, first, second;
    bool operator==(const Pick&) const = default;
};

struct PickRecorder {
    std::vector<Pick> picks;
    auto sink() {
        return [this](int row, const QString& odds, const QString& first, const QString& second) {
            picks.push_back({row, odds, first, second});
        };
    }
};
