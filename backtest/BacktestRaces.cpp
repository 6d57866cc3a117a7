#include "backtest/BacktestRaces.h"

#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <map>
#include <tuple>

#include "common/NumberText.h"
#include "common/Odds.h"
#include "common/RaceDate.h"
#include "racedata/OddsHistory.h"
#include "racedata/ResultFile.h"

namespace {

// A whole number of the record (digits with blanks and digit-group commas).
std::optional<qint64> wholeNumber(const QString& text) {
    QString t = text.trimmed();
    t.remove(QLatin1Char(','));
    if (t.isEmpty() || t.size() > 10) return std::nullopt;
    for (QChar c : t) {
        if (c < u'0' || c > u'9') return std::nullopt;
    }
    return t.toLongLong();
}

std::optional<double> numericOdds(const QString& text) {
    const OddsReading reading = ReadOdds(text.trimmed());
    if (!reading.odds) return std::nullopt;
    return reading.odds->value;
}

// The race number of the race character of a file name ("1".."9", "a".."c").
int raceOfChar(QChar c) {
    const char16_t u = QChar(c).toLower().unicode();
    if (u >= u'1' && u <= u'9') return u - u'0';
    if (u >= u'a' && u <= u'c') return 10 + (u - u'a');
    return 0;
}

enum Kind { Zo, Uo, Ks };

struct DataFile {
    QString path;
    Kind kind;
    int course;
    int race;
};

// A race data file by its name: "uo-"/"zo-" + course + one character + race
// character + ".jra", "ks-" + course + three characters + race character + ".jra".
std::optional<DataFile> dataFileOf(const QString& path, const QString& name) {
    if (!name.endsWith(QLatin1String(".jra"), Qt::CaseInsensitive)) return std::nullopt;
    const QString head = name.left(3).toLower();
    Kind kind;
    int raceAt = 0;
    if (head == QLatin1String("zo-") || head == QLatin1String("uo-")) {
        if (name.size() != 10) return std::nullopt;
        kind = head == QLatin1String("zo-") ? Zo : Uo;
        raceAt = 5;
    } else if (head == QLatin1String("ks-")) {
        if (name.size() != 12) return std::nullopt;
        kind = Ks;
        raceAt = 7;
    } else {
        return std::nullopt;
    }
    if (name[3] < u'0' || name[3] > u'9') return std::nullopt;
    const int race = raceOfChar(name[raceAt]);
    if (race == 0) return std::nullopt;
    return DataFile{path, kind, name[3].unicode() - u'0', race};
}

struct OddsBytes {
    QByteArray raw;
    QDateTime modified;
};

// What the files say of one race day.
struct DayFiles {
    std::optional<OddsBytes> zo, uo;
    std::optional<KsRecord> result;  // a usable result of the day
};

using DayKey = std::tuple<QDate, int, int>;  // date, course, race

void keepNewer(std::optional<OddsBytes>& slot, OddsBytes bytes) {
    if (!slot || bytes.modified > slot->modified) slot = std::move(bytes);
}

bool within(const QDate& date, const RaceSources& sources) {
    return (!sources.from.isValid() || date >= sources.from) &&
           (!sources.to.isValid() || date <= sources.to);
}

}  // namespace

std::optional<BacktestRace> MakeBacktestRace(const Race& race, const ZoRecord& zo,
                                             const UoRecord* uo, const KsRecord& ks) {
    BacktestRace r;
    r.race = race;
    const int runners = zo.RunnerCount();
    for (int h = 0; h < runners; ++h) {
        const HorseEntry entry = zo.Horse(h);
        const auto horse = wholeNumber(entry.HorseNo);
        const auto odds = numericOdds(entry.WinOdds);
        if (horse && *horse >= 1 && odds) r.starters.push_back({static_cast<int>(*horse), *odds});
    }
    const auto isStarter = [&](qint64 horse) {
        return std::any_of(r.starters.begin(), r.starters.end(),
                           [&](const BacktestStarter& s) { return s.horse == horse; });
    };
    const auto winner = wholeNumber(ks.Place(0).HorseNo);
    const auto winPayout = wholeNumber(ks.WinPayout());
    if (!winner || !isStarter(*winner) || !winPayout) return std::nullopt;
    r.winner = static_cast<int>(*winner);
    r.winPayout = *winPayout;

    // The places paid: the second and third only when their payout is given
    // (a small field pays two), each one a starter.
    const QString payouts[] = {ks.PlacePayout1(), ks.PlacePayout2(), ks.PlacePayout3()};
    for (int i = 0; i < 3; ++i) {
        if (i > 0 && payouts[i].trimmed().isEmpty()) break;
        const auto horse = wholeNumber(ks.Place(i).HorseNo);
        const auto paid = wholeNumber(payouts[i]);
        if (!horse || !paid || !isStarter(*horse)) {
            r.places.clear();
            break;
        }
        r.places.emplace_back(static_cast<int>(*horse), *paid);
    }

    const QStringList combo = ks.QuinellaCombo().split(QLatin1Char('-'));
    const auto quinellaPaid = wholeNumber(ks.QuinellaPayout());
    if (uo && combo.size() == 2 && quinellaPaid) {
        const auto a = wholeNumber(combo[0]), b = wholeNumber(combo[1]);
        const auto pairRunners = wholeNumber(uo->Runners());
        if (a && b && *a != *b && isStarter(*a) && isStarter(*b) && pairRunners &&
            *pairRunners <= 18) {
            const int n = static_cast<int>(*pairRunners);
            for (int k = 0; k < n * (n - 1) / 2; ++k) {
                const auto [x, y] = UoRecord::PairOfEntry(k, n);
                const auto odds = numericOdds(uo->Quinella(k).QuinellaOdds);
                if (odds && isStarter(x) && isStarter(y)) r.pairs.push_back({x, y, *odds});
            }
            r.quinellaWinner = {static_cast<int>(std::min(*a, *b)),
                                static_cast<int>(std::max(*a, *b))};
            r.quinellaPayout = *quinellaPaid;
        }
    }
    return r;
}

RaceReading ReadRaces(const RaceSources& sources, const ReadProgress& progress) {
    RaceReading reading;
    std::vector<DataFile> files;
    for (const QString& folder : sources.folders) {
        const QFileInfo info(folder);
        if (!info.isDir() || !info.isReadable() || !info.isExecutable()) {
            reading.unreadable << folder;
            continue;
        }
        QDirIterator it(folder, {QStringLiteral("*.jra")}, QDir::Files | QDir::NoDotAndDotDot,
                        QDirIterator::Subdirectories | QDirIterator::FollowSymlinks);
        while (it.hasNext()) {
            const QString path = it.next();
            if (auto file = dataFileOf(path, it.fileName())) files.push_back(std::move(*file));
        }
    }

    std::map<DayKey, DayFiles> days;
    const int total = static_cast<int>(files.size());
    for (int i = 0; i < total; ++i) {
        if (progress && i % 64 == 0 && !progress(i, total)) {
            reading.cancelled = true;
            return reading;
        }
        const DataFile& f = files[i];
        if (f.kind == Ks) {
            const auto result = ReadResultFile(f.path);
            if (!result || !result->usable() || !within(result->date, sources)) continue;
            DayFiles& day = days[{result->date, f.course, f.race}];
            if (!day.result) day.result = result->ks;
            continue;
        }
        QFile file(f.path);
        if (!file.open(QIODevice::ReadOnly)) continue;
        OddsBytes bytes{file.read(f.kind == Zo ? ZoRecord::Length : UoRecord::Length),
                        QFileInfo(file).lastModified()};
        if (file.error() != QFileDevice::NoError) continue;
        const QDate date = RecordDate(QString::fromLatin1(bytes.raw.left(8)));
        if (!date.isValid() || !within(date, sources)) continue;
        DayFiles& day = days[{date, f.course, f.race}];
        keepNewer(f.kind == Zo ? day.zo : day.uo, std::move(bytes));
    }

    // The history's last download of a race day stands for its final odds
    // when it was written after the folder's file.
    std::optional<OddsHistory> history;
    if (sources.history && QFile::exists(OddsHistoryPath())) {
        history.emplace();
        if (!history->open(OddsHistoryPath())) history.reset();
    }
    if (history) {
        for (auto& [key, day] : days) {
            const auto& [date, course, race] = key;
            const Race trendRace{date, course, race};
            bool used = false;
            const std::pair<std::optional<OddsBytes>*, OddsFile> oddsFiles[] = {
                {&day.zo, OddsFile::Zo}, {&day.uo, OddsFile::Uo}};
            for (auto [slot, kind] : oddsFiles) {
                const auto latest =
                    history->latest(trendRace, kind, *slot ? (*slot)->modified : QDateTime());
                if (latest && (!*slot || latest->modified > (*slot)->modified)) {
                    *slot = OddsBytes{latest->raw, latest->modified};
                    used = true;
                }
            }
            if (used && day.zo && day.result) ++reading.fromHistory;
        }
    }

    for (const auto& [key, day] : days) {
        if (!day.zo) continue;  // a result without odds: nothing to analyse
        const auto& [date, course, race] = key;
        if (!day.result) {
            ++reading.withoutResult;
            continue;
        }
        ZoRecord zo;
        zo.assign(day.zo->raw);
        UoRecord uo;
        if (day.uo) uo.assign(day.uo->raw);
        auto made =
            MakeBacktestRace(Race{date, course, race}, zo, day.uo ? &uo : nullptr, *day.result);
        if (made) {
            reading.races.push_back(std::move(*made));
        } else {
            ++reading.withoutResult;
        }
    }
    if (progress) progress(total, total);
    return reading;
}
