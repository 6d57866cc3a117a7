#include "racedata/RaceOdds.h"

#include <algorithm>

#include "common/NumberText.h"
#include "common/Odds.h"
#include "common/RaceDate.h"
#include "racedata/RaceFiles.h"
#include "racedata/Records.h"

namespace {

QString pairKey(int a, int b) {
    return QStringLiteral("%1-%2").arg(a).arg(b);
}

}  // namespace

OddsFile FileOf(BetType kind) {
    return kind == BetType::Quinella ? OddsFile::Uo : OddsFile::Zo;
}

const QString& RaceOdds::quinellaOf(int a, int b) const {
    static const QString none;
    const int k = UoRecord::EntryOfPair(std::min(a, b), std::max(a, b), runners);
    return k >= 0 && k < static_cast<int>(quinella.size()) ? quinella[k] : none;
}

RaceOdds RaceOddsOf(const UoRecord* uo, const ZoRecord* zo) {
    RaceOdds odds;
    std::optional<double> counted;
    if (uo) counted = NumericValue(uo->Runners());
    odds.runners = counted ? static_cast<int>(*counted) : (zo ? zo->RunnerCount() : 0);
    odds.runners = std::clamp(odds.runners, 0, MaxRunners);
    const int n = odds.runners;
    odds.hasWin = zo != nullptr;
    odds.hasQuinella = uo != nullptr;
    odds.win.resize(n);
    odds.placeLow.resize(n);
    odds.placeHigh.resize(n);
    odds.quinella.resize(n * (n - 1) / 2);
    if (zo) {
        for (int h = 0; h < n; ++h) {
            const HorseEntry entry = zo->Horse(h);
            odds.win[h] = entry.WinOdds.trimmed();
            odds.placeLow[h] = entry.PlaceOddsLow.trimmed();
            odds.placeHigh[h] = entry.PlaceOddsHigh.trimmed();
        }
        for (int t = 0; t < BracketPairs; ++t)
            odds.bracket[t] = zo->Bracket(t).BracketOdds.trimmed();
    }
    if (uo) {
        for (int k = 0; k < static_cast<int>(odds.quinella.size()); ++k)
            odds.quinella[k] = uo->Quinella(k).QuinellaOdds.left(6).trimmed();
    }
    return odds;
}

std::vector<OddsEntry> OddsEntries(OddsFile file, const QByteArray& raw, BetType kind) {
    std::vector<OddsEntry> entries;
    if (file != FileOf(kind)) return entries;
    if (file == OddsFile::Uo) {
        UoRecord uo;
        uo.assign(raw);
        const RaceOdds odds = RaceOddsOf(&uo, nullptr);
        for (int k = 0; k < static_cast<int>(odds.quinella.size()); ++k) {
            const auto [a, b] = UoRecord::PairOfEntry(k, odds.runners);
            entries.push_back({pairKey(a, b), odds.quinella[k]});
        }
        return entries;
    }
    ZoRecord zo;
    zo.assign(raw);
    const RaceOdds odds = RaceOddsOf(nullptr, &zo);
    if (kind == BetType::BracketQuinella) {
        for (int t = 0; t < BracketPairs; ++t) {
            const auto [a, b] = ZoRecord::BracketPairOfEntry(t);
            entries.push_back({pairKey(a, b), odds.bracket[t]});
        }
        return entries;
    }
    for (int h = 0; h < odds.runners; ++h) {
        QString text = odds.win[h];
        if (kind == BetType::Place) {
            const QString& low = odds.placeLow[h];
            const QString& high = odds.placeHigh[h];
            text = OddsHundredths(low) && !high.isEmpty() ? low + QLatin1Char('-') + high
                   : low.isEmpty()                        ? text
                                                          : low;
        }
        entries.push_back({QString::number(h + 1), text});
    }
    return entries;
}

RaceOddsRead ReadRaceOdds(const QString& dataDir, const Race& race) {
    RaceOddsRead read;
    UoRecord uo;
    ZoRecord zo;
    const RaceFileSet files(dataDir, race.course, race.number);
    const RaceFile uoFile = files.find(QStringLiteral("uo-"), 5, race.date);
    const RaceFile zoFile = files.find(QStringLiteral("zo-"), 5, race.date);
    read.uoMissing = uoFile.path.isEmpty() || !ReadRecord1(uoFile.path, uo);
    read.zoMissing = zoFile.path.isEmpty() || !ReadRecord1(zoFile.path, zo);
    read.odds = RaceOddsOf(read.uoMissing ? nullptr : &uo, read.zoMissing ? nullptr : &zo);
    if (!read.uoMissing) {
        read.uoPath = uoFile.path;
        read.uoRaw = uo.raw();
        read.day = RecordDate(uo.RaceDate());
    }
    if (!read.zoMissing) {
        read.zoPath = zoFile.path;
        read.zoRaw = zo.raw();
        read.day = RecordDate(zo.RaceDate());
        read.raceTitle = zo.RaceTitle();
        read.raceDate = RaceDateDisplay(zo.RaceDate());
    } else if (!read.uoMissing) {
        read.raceTitle = uo.RaceTitle();
        read.raceDate = RaceDateDisplay(uo.RaceDate());
    }
    return read;
}
