#include "tools/SampleData.h"

#include <QDir>
#include <algorithm>
#include <array>
#include <cmath>
#include <numeric>
#include <vector>

#include "racedata/RaceFiles.h"
#include "racedata/Records.h"
#include "tools/RecordBuilder.h"
#include "tools/SampleRandom.h"

namespace {

// A race day of the sample: its date, how far its stems lie before today's
// (PAT95 numbers a meeting's days, so an earlier day's names sort first) and
// the seed of its races.
struct Day {
    QString date;
    int stemsBefore;
    quint64 seed;
    bool today;
};

const Day Today{QStringLiteral("20261206"), 0, 0x5EED000000ull, true};
const Day LastWeek{QStringLiteral("20261129"), 1, 0x5EED100000ull, false};

struct Course {
    int code;
    const char16_t* name;
    QChar oddsPart;          // the character after the course code in today's "uo-"/"zo-" names
    const char* resultPart;  // the three characters after the course code in today's "ks-" names
    int resultsUpTo;         // races 1 to resultsUpTo have been run today
    std::array<int, 12> runners;
    std::array<const char16_t*, 12> titles;
    const char16_t* lastWeekMain;  // last week's 11R; its other races are of today's classes
};

const Course Courses[] = {
    {5,
     u"東京",
     u'8',
     "508",
     12,
     {16, 14, 18, 12, 10, 16, 15, 13, 11, 14, 18, 16},
     {u"２歳未勝利　ダ１４００ｍ", u"２歳未勝利　芝１６００ｍ", u"２歳新馬　芝１８００ｍ",
      u"３歳以上１勝クラス　ダ１６００ｍ", u"２歳新馬　ダ１４００ｍ",
      u"３歳以上１勝クラス　芝２０００ｍ", u"３歳以上２勝クラス　ダ２１００ｍ",
      u"ベゴニア賞　芝１６００ｍ", u"ウェルカムステークス　芝２０００ｍ",
      u"シャングリラステークス　ダ１６００ｍ", u"第４６回ジャパンカップ（Ｇ１）　芝２４００ｍ",
      u"３歳以上２勝クラス　ダ１４００ｍ"},
     u"キャピタルステークス　芝１６００ｍ"},
    {6,
     u"中山",
     u'8',
     "508",
     10,
     {16, 16, 14, 10, 12, 8, 13, 15, 16, 9, 18, 16},
     {u"２歳未勝利　ダ１２００ｍ", u"２歳未勝利　芝２０００ｍ", u"２歳新馬　ダ１８００ｍ",
      u"障害３歳以上オープン　芝３２００ｍ", u"２歳新馬　芝１６００ｍ",
      u"３歳以上１勝クラス　ダ１８００ｍ", u"３歳以上１勝クラス　芝１２００ｍ",
      u"３歳以上２勝クラス　ダ１２００ｍ", u"師走ステークス　ダ１８００ｍ",
      u"グッドラックハンデキャップ　芝２５００ｍ", u"第７１回有馬記念（Ｇ１）　芝２５００ｍ",
      u"３歳以上２勝クラス　芝１６００ｍ"},
     u"第６０回ステイヤーズステークス（Ｇ２）　芝３６００ｍ"},
    {9,
     u"阪神",
     u'4',
     "504",
     11,
     {18, 11, 7, 16, 14, 12, 10, 17, 15, 13, 18, 12},
     {u"２歳未勝利　ダ１２００ｍ", u"２歳未勝利　芝１４００ｍ", u"２歳新馬　芝１６００ｍ",
      u"３歳以上１勝クラス　ダ１４００ｍ", u"２歳新馬　ダ１８００ｍ",
      u"３歳以上１勝クラス　芝１８００ｍ", u"３歳以上２勝クラス　ダ２０００ｍ",
      u"３歳以上２勝クラス　芝１２００ｍ", u"元町ステークス　芝１６００ｍ",
      u"ギャラクシーステークス　ダ１４００ｍ",
      u"第７８回阪神ジュベナイルフィリーズ（Ｇ１）　芝１６００ｍ",
      u"３歳以上２勝クラス　ダ１８００ｍ"},
     u"第５９回チャレンジカップ（Ｇ３）　芝２０００ｍ"},
    {0,
     u"小倉",
     u'8',
     "208",
     9,
     {5, 9, 12, 6, 14, 8, 16, 11, 13, 7, 16, 18},
     {u"２歳未勝利　芝１２００ｍ", u"２歳未勝利　ダ１０００ｍ", u"３歳以上１勝クラス　ダ１７００ｍ",
      u"２歳新馬　芝１８００ｍ", u"３歳以上１勝クラス　芝１２００ｍ",
      u"３歳以上１勝クラス　ダ１０００ｍ", u"３歳以上２勝クラス　芝２０００ｍ",
      u"３歳以上２勝クラス　ダ１７００ｍ", u"玄海特別　芝２０００ｍ", u"響灘特別　芝１２００ｍ",
      u"第６１回北九州記念（Ｇ３）　芝１２００ｍ", u"３歳以上１勝クラス　芝１８００ｍ"},
     u"九州スポーツ杯　芝１８００ｍ"},
};

const char16_t* const NameHeads[] = {
    u"サクラ",   u"メイショウ", u"キタサン",   u"ゴールド", u"シルバー", u"トウカイ", u"マチカネ",
    u"エアー",   u"ダイワ",     u"アドマイヤ", u"スマート", u"タイキ",   u"ミスター", u"ニシノ",
    u"ヤマニン", u"レッド",     u"ブルー",     u"ホッコー", u"ナリタ",   u"マイネル"};
const char16_t* const NameTails[] = {
    u"ブライト", u"テイオー", u"ダイヤ",   u"スター",   u"ローズ", u"ウイング", u"フラッシュ",
    u"キング",   u"クイーン", u"ライデン", u"ハヤテ",   u"ボルト", u"ジェット", u"ミラクル",
    u"ロード",   u"アロー",   u"カグラ",   u"サンデー", u"ヒカリ", u"リボン"};


// The bracket of horse k (1-based) among n runners: one horse a bracket up to
// 8 runners, beyond that the extra horses go to the highest brackets.
int BracketOf(int k, int n) {
    if (n <= 8) return k;
    const int base = n / 8;
    const int extra = n % 8;
    const int small = (8 - extra) * base;  // horses in the brackets of size base
    return k <= small ? (k - 1) / base + 1 : 8 - extra + (k - small - 1) / (base + 1) + 1;
}

// Odds × 10 (PAT95 shows one decimal, rounded down) for a pool returning
// `payback` of the stakes on an outcome of probability p.
int OddsTenths(double payback, double p, int maxTenths) {
    if (p <= 0) return 0;
    const double tenths = std::floor(payback / p * 10.0);
    return static_cast<int>(std::clamp(tenths, 10.0, static_cast<double>(maxTenths)));
}

// Place odds × 10 of a horse holding `share` of the place pool when it places
// together with horses holding `others`: the pool less its deduction, less the
// stakes on the placed horses, is split between the places paid, and each part
// goes to the backers of its horse on top of their stakes.
int PlaceTenths(double share, double others, int paid) {
    const double odds = 1.0 + (0.8 - share - others) / paid / share;
    return static_cast<int>(std::clamp(std::floor(odds * 10.0), 10.0, 9999.0));
}

QString OddsText(int tenths) {
    return QStringLiteral("%1.%2").arg(tenths / 10).arg(tenths % 10);
}

// Probability of each horse finishing within the first `places` when the
// finish order is drawn horse by horse in proportion to the win probabilities.
std::vector<double> WithinPlaces(const std::vector<double>& p, int places) {
    const int n = static_cast<int>(p.size());
    std::vector<double> q(p);
    for (int i = 0; i < n; ++i) {
        for (int j = 0; j < n; ++j) {
            if (j == i || p[j] >= 1.0) continue;
            q[i] += p[j] * p[i] / (1.0 - p[j]);
            if (places < 3) continue;
            for (int k = 0; k < n; ++k) {
                const double rest = 1.0 - p[j] - p[k];
                if (k == i || k == j || rest <= 0.0) continue;
                q[i] += p[j] * p[k] / (1.0 - p[j]) * p[i] / rest;
            }
        }
    }
    return q;
}

struct Race {
    const Course* course = nullptr;
    const Day* day = nullptr;
    int raceNo = 0;
    int runners = 0;
    std::vector<double> p;  // win probability of horse i + 1; 0 when scratched
    std::vector<bool> scratched;
    std::vector<QString> names;
    std::vector<double> share;                    // share of the place pool staked on horse i + 1
    std::vector<int> win, placeLow, placeHigh;    // odds × 10
    std::vector<std::vector<int>> quinella;       // [a][b], a < b, 1-based
    std::array<std::array<int, 9>, 9> bracket{};  // [a][b], a <= b; 0 = not sold
    std::vector<int> finish;                      // horse numbers in finishing order
    std::array<int, 3> placePaid{};               // place payouts of the first three, yen

    int starters() const {
        return runners - static_cast<int>(std::count(scratched.begin(), scratched.end(), true));
    }
    int paidPlaces() const { return starters() >= 8 ? 3 : 2; }
    QString title() const {
        return QString::fromUtf16(raceNo == 11 && !day->today ? course->lastWeekMain
                                                              : course->titles[raceNo - 1]);
    }
    // Bracket quinella is sold for nine runners or more.
    bool bracketSold() const { return runners >= 9; }
};

// The odds of every pool from the win probabilities race.p: what PAT95 shows
// at one download.
void PriceMarket(Race& race, Random& rng) {
    const int n = race.runners;
    race.win.assign(n, 0);
    for (int i = 0; i < n; ++i) {
        if (!race.scratched[i]) race.win[i] = OddsTenths(0.8, race.p[i], 9999);
    }

    // The place pool is a market of its own: its bettors spread their stakes
    // flatter than the chances of placing, so long shots pay relatively less
    // there than in the win pool.
    const int paid = race.paidPlaces();
    const std::vector<double> within = WithinPlaces(race.p, paid);
    race.share.assign(n, 0.0);
    double stakes = 0;
    for (int i = 0; i < n; ++i) {
        if (race.scratched[i]) continue;
        race.share[i] = std::pow(within[i], 0.8) * std::exp(0.15 * rng.normal());
        stakes += race.share[i];
    }
    for (double& share : race.share) share /= stakes;
    // The range runs from placing with the most backed horses to placing with
    // the least backed ones.
    race.placeLow.assign(n, 0);
    race.placeHigh.assign(n, 0);
    for (int i = 0; i < n; ++i) {
        if (race.scratched[i]) continue;
        std::vector<double> others;
        for (int j = 0; j < n; ++j) {
            if (j != i && !race.scratched[j]) others.push_back(race.share[j]);
        }
        std::sort(others.begin(), others.end());
        const double least = std::accumulate(others.begin(), others.begin() + paid - 1, 0.0);
        const double most = std::accumulate(others.end() - (paid - 1), others.end(), 0.0);
        race.placeLow[i] = PlaceTenths(race.share[i], most, paid);
        race.placeHigh[i] = PlaceTenths(race.share[i], least, paid);
    }

    race.quinella.assign(n + 1, std::vector<int>(n + 1, 0));
    for (int a = 1; a <= n; ++a) {
        for (int b = a + 1; b <= n; ++b) {
            const double pa = race.p[a - 1], pb = race.p[b - 1];
            if (pa == 0 || pb == 0) continue;
            const double pair = pa * pb / (1.0 - pa) + pa * pb / (1.0 - pb);
            race.quinella[a][b] = OddsTenths(0.775, pair * std::exp(0.1 * rng.normal()), 99999);
        }
    }

    if (race.bracketSold()) {
        std::array<std::array<double, 9>, 9> chance{};
        for (int a = 1; a <= n; ++a) {
            for (int b = a + 1; b <= n; ++b) {
                const double pa = race.p[a - 1], pb = race.p[b - 1];
                if (pa == 0 || pb == 0) continue;
                int x = BracketOf(a, n), y = BracketOf(b, n);
                if (x > y) std::swap(x, y);
                chance[x][y] += pa * pb / (1.0 - pa) + pa * pb / (1.0 - pb);
            }
        }
        for (int x = 1; x <= 8; ++x) {
            for (int y = x; y <= 8; ++y) race.bracket[x][y] = OddsTenths(0.775, chance[x][y], 9999);
        }
    }
}

Race MakeRace(const Course& course, int raceNo, const Day& day) {
    Race race;
    race.course = &course;
    race.raceNo = raceNo;
    race.day = &day;
    const int n = race.runners = course.runners[raceNo - 1];
    Random rng(day.seed + static_cast<quint64>(course.code) * 100 + raceNo);

    race.scratched.assign(n, false);
    if (n >= 8 && (raceNo == 3 || raceNo == 8)) {
        race.scratched[rng.below(n)] = true;
        if (n >= 16) race.scratched[rng.below(n)] = true;
    }

    for (int i = 0; i < n; ++i) {
        QString name;
        do {
            name = QString::fromUtf16(NameHeads[rng.below(std::size(NameHeads))]) +
                   QString::fromUtf16(NameTails[rng.below(std::size(NameTails))]);
        } while (name.size() > 9 ||
                 std::find(race.names.begin(), race.names.end(), name) != race.names.end());
        race.names.push_back(name);
    }

    // The market: a strength per horse, normalised over the starters.
    race.p.assign(n, 0.0);
    double total = 0;
    for (int i = 0; i < n; ++i) {
        const double strength = std::exp(1.1 * rng.normal());
        if (!race.scratched[i]) race.p[i] = strength;
        total += race.p[i];
    }
    for (double& p : race.p) p /= total;

    PriceMarket(race, rng);
    const int paid = race.paidPlaces();

    // The race itself: horses drawn one by one in proportion to their chances.
    std::vector<double> left = race.p;
    for (int place = 0; place < race.starters(); ++place) {
        double sum = 0;
        for (double p : left) sum += p;
        double draw = rng.uniform() * sum;
        int pick = -1;
        for (int i = 0; i < n; ++i) {
            if (left[i] <= 0) continue;
            pick = i;
            draw -= left[i];
            if (draw < 0) break;
        }
        race.finish.push_back(pick + 1);
        left[pick] = 0;
    }
    for (int place = 0; place < paid; ++place) {
        double others = 0;
        for (int other = 0; other < paid; ++other) {
            if (other != place) others += race.share[race.finish[other] - 1];
        }
        race.placePaid[place] = PlaceTenths(race.share[race.finish[place] - 1], others, paid) * 10;
    }
    return race;
}

// A later download: the money has moved toward the horses that will finish
// first, second and third, a little more at each download, with some noise.
void DriftTowardResult(Race& race, int download) {
    Random rng(0xD21F7000000ull + static_cast<quint64>(race.course->code) * 100 * 64 +
               static_cast<quint64>(race.raceNo) * 64 + static_cast<quint64>(download));
    const double pull[] = {0.30, 0.20, 0.12};
    double total = 0;
    for (int i = 0; i < race.runners; ++i) {
        if (race.p[i] == 0) continue;
        double shift = 0.05 * rng.normal() * std::sqrt(static_cast<double>(download));
        for (int place = 0; place < 3 && place < static_cast<int>(race.finish.size()); ++place) {
            if (race.finish[place] == i + 1) shift += pull[place] * download;
        }
        race.p[i] *= std::exp(shift);
        total += race.p[i];
    }
    for (double& p : race.p) p /= total;
    PriceMarket(race, rng);
}

QString Pair(int a, int b) {
    return QStringLiteral("%1-%2").arg(a, 2, 10, QLatin1Char(' ')).arg(b, 2, 10, QLatin1Char(' '));
}

RecordBuilder UoFile(const Race& race) {
    RecordBuilder uo = UoBuilder();
    uo.set(UoLayout::RaceDate, race.day->date)
        .set(UoLayout::RaceTitle, race.title())
        .setRight(UoLayout::Runners, QString::number(race.runners));
    const int pairs = race.runners * (race.runners - 1) / 2;
    for (int k = 0; k < pairs; ++k) {
        const auto [a, b] = UoRecord::PairOfEntry(k, race.runners);
        const FieldSpan odds = UoLayout::QuinellaOdds(k);
        uo.set({odds.offset - 5, 5}, Pair(a, b));
        if (race.quinella[a][b] == 0) {
            uo.set({odds.offset, 6}, QStringLiteral("  ﾄﾘｹｼ"));
        } else {
            uo.setRight({odds.offset, 6}, OddsText(race.quinella[a][b]));
        }
    }
    return uo;
}

RecordBuilder ZoFile(const Race& race) {
    RecordBuilder zo = ZoBuilder();
    zo.set(ZoLayout::RaceDate, race.day->date).set(ZoLayout::RaceTitle, race.title());
    for (int h = 0; h < race.runners; ++h) {
        const int n = race.runners;
        zo.set({ZoLayout::HorseNo(h).offset - 1, 1}, QString::number(BracketOf(h + 1, n)))
            .setRight(ZoLayout::HorseNo(h), QString::number(h + 1));
        if (race.scratched[h]) {
            zo.setRight(ZoLayout::WinOdds(h), QStringLiteral("取消"));
        } else {
            zo.setRight(ZoLayout::WinOdds(h), OddsText(race.win[h]))
                .setRight(ZoLayout::PlaceOddsLow(h), OddsText(race.placeLow[h]))
                .setRight(ZoLayout::PlaceOddsHigh(h), OddsText(race.placeHigh[h]));
        }
    }
    for (int t = 0; t < ZoLayout::BracketCount; ++t) {
        const auto [x, y] = ZoRecord::BracketPairOfEntry(t);
        const FieldSpan odds = ZoLayout::BracketOdds(t);
        zo.set({odds.offset - 5, 5}, QStringLiteral(" %1-%2").arg(x).arg(y));
        if (race.bracket[x][y] != 0) zo.setRight(odds, OddsText(race.bracket[x][y]));
    }
    return zo;
}

RecordBuilder KsFile(const Race& race) {
    RecordBuilder ks = KsBuilder();
    ks.set(KsLayout::RaceDate, race.day->date)
        .set(KsLayout::CourseName, QString::fromUtf16(race.course->name))
        .setRight(KsLayout::RaceNo, QString::number(race.raceNo))
        .set(KsLayout::RaceTitle, race.title());
    for (int i = 0; i < KsLayout::FinisherCount && i < static_cast<int>(race.finish.size()); ++i) {
        const int horse = race.finish[i];
        ks.setRight({KsLayout::FinisherHorseNo(i).offset - 2, 2}, QString::number(i + 1))
            .setRight(KsLayout::FinisherHorseNo(i), QString::number(horse))
            .set(KsLayout::FinisherHorseName(i), race.names[horse - 1]);
    }
    const int first = race.finish[0], second = race.finish[1];
    ks.setRight(KsLayout::WinPayout, QString::number(race.win[first - 1] * 10));
    const FieldSpan placePayouts[] = {KsLayout::PlacePayout1, KsLayout::PlacePayout2,
                                      KsLayout::PlacePayout3};
    for (int place = 0; place < race.paidPlaces(); ++place) {
        ks.setRight(placePayouts[place], QString::number(race.placePaid[place]));
    }
    if (race.bracketSold()) {
        int x = BracketOf(first, race.runners), y = BracketOf(second, race.runners);
        if (x > y) std::swap(x, y);
        ks.set(KsLayout::BracketCombo, QStringLiteral("%1-%2").arg(x).arg(y))
            .setRight(KsLayout::BracketPayout, QString::number(race.bracket[x][y] * 10));
    }
    const int a = std::min(first, second), b = std::max(first, second);
    ks.set(KsLayout::QuinellaCombo, Pair(a, b))
        .setRight(KsLayout::QuinellaPayout, QString::number(race.quinella[a][b] * 10));
    return ks;
}

// The name of a file of the day: prefix, course code, the day's part of the
// stem (today's less stemsBefore in its last digit) and the race character.
QString FileName(const char* prefix, const Course& course, const QString& todayPart, const Day& day,
                 int raceNo) {
    QString part = todayPart;
    part.back() = QChar(part.back().unicode() - day.stemsBefore);
    return QLatin1String(prefix) + QString::number(course.code) + part + RaceChar(raceNo) +
           QStringLiteral(".jra");
}

}  // namespace

bool WriteSampleData(const QString& directory, int download) {
    QDir dir(directory);
    if (!dir.mkpath(QStringLiteral("."))) return false;
    bool ok = true;
    for (const Day* day : {&LastWeek, &Today}) {
        // A later download is of today's odds only.
        if (download > 0 && !day->today) continue;
        for (const Course& course : Courses) {
            const int resultsUpTo = day->today ? course.resultsUpTo : 12;
            for (int raceNo = 1; raceNo <= 12; ++raceNo) {
                Race race = MakeRace(course, raceNo, *day);
                if (download > 0) DriftTowardResult(race, download);
                const auto path = [&](const char* prefix, const QString& part) {
                    return dir.filePath(FileName(prefix, course, part, *day, raceNo));
                };
                ok &= UoFile(race).writeTo(path("uo-", course.oddsPart));
                ok &= ZoFile(race).writeTo(path("zo-", course.oddsPart));
                if (download == 0 && raceNo <= resultsUpTo)
                    ok &= KsFile(race).writeTo(path("ks-", QLatin1String(course.resultPart)));
            }
        }
    }
    return ok;
}
