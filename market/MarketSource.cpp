#include "market/MarketSource.h"

#include <QStringList>
#include <algorithm>

#include "common/NumberText.h"
#include "common/Odds.h"
#include "common/RaceDate.h"
#include "common/CompositeOdds.h"
#include "racedata/RaceFiles.h"
#include "racedata/Records.h"
#include "common/Brackets.h"

const QString& MarketOdds::quinellaOf(int a, int b) const {
    static const QString none;
    const int k = QuinellaIndex(std::min(a, b), std::max(a, b), runners);
    return k >= 0 && k < static_cast<int>(quinella.size()) ? quinella[k] : none;
}

MarketOdds MarketOddsOf(const UoRecord* uo, const ZoRecord* zo) {
    MarketOdds odds;
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
        for (int k = 0; k < static_cast<int>(odds.quinella.size()); ++k) {
            odds.quinella[k] = uo->Quinella(k).QuinellaOdds.left(6).trimmed();
        }
    }
    return odds;
}

std::optional<double> UsableOdds(QStringView text) {
    const OddsReading reading = ReadOdds(text);
    if (!reading.odds) return std::nullopt;
    return reading.odds->value;
}

int HorseBracket(int horse, int runners) {
    return BracketOf(horse, runners);
}

int QuinellaIndex(int a, int b, int runners) {
    return UoRecord::EntryOfPair(a, b, runners);
}

int BracketPairIndex(int a, int b) {
    return ZoRecord::EntryOfBracketPair(a, b);
}

std::optional<double> Composite(const std::vector<QString>& odds) {
    return CompositeOdds(odds);
}

QString CompositeFigure(double composite) {
    QString text = CompositeText(composite);
    text.chop(1);  // the figure without its unit 倍
    return text;
}

MarketRead ReadMarket(const QString& dataDir, const Race& race) {
    MarketRead read;
    UoRecord uo;
    ZoRecord zo;
    const RaceFileSet files(dataDir, race.course, race.number);
    const RaceFile uoFile = files.find(QStringLiteral("uo-"), 5, race.date);
    const RaceFile zoFile = files.find(QStringLiteral("zo-"), 5, race.date);
    read.uoMissing = uoFile.path.isEmpty() || !ReadRecord1(uoFile.path, uo);
    read.zoMissing = zoFile.path.isEmpty() || !ReadRecord1(zoFile.path, zo);
    read.odds = MarketOddsOf(read.uoMissing ? nullptr : &uo, read.zoMissing ? nullptr : &zo);
    if (!read.zoMissing) {
        read.raceTitle = zo.RaceTitle();
        read.raceDate = RaceDateDisplay(zo.RaceDate());
    } else if (!read.uoMissing) {
        read.raceTitle = uo.RaceTitle();
        read.raceDate = RaceDateDisplay(uo.RaceDate());
    }
    return read;
}
