#include "tools/SampleSeason.h"

#include <QDate>
#include <QDir>
#include <algorithm>
#include <cmath>
#include <vector>

#include "racedata/RaceFiles.h"
#include "racedata/Records.h"
#include "tools/RecordBuilder.h"
#include "tools/SampleRandom.h"

namespace {

// The racecourses of a weekend, in turn.
constexpr int CoursePairs[][2] = {{5, 9}, {6, 8}, {5, 0}, {6, 9}, {4, 8}, {3, 7}};

// Odds × 10 of a pool paying back `payback` on an outcome of probability p,
// rounded down to one decimal, between 1.0 and the cap.
int oddsTenths(double payback, double p, int cap) {
    return static_cast<int>(std::clamp(std::floor(payback / p * 10.0), 10.0, double(cap)));
}

// Draws an index in proportion to the weights; a drawn weight is set to 0.
int draw(std::vector<double>& weights, Random& rng) {
    double sum = 0;
    for (double w : weights) sum += w;
    double at = rng.uniform() * sum;
    int pick = -1;
    for (int i = 0; i < static_cast<int>(weights.size()); ++i) {
        if (weights[i] <= 0) continue;
        pick = i;
        at -= weights[i];
        if (at < 0) break;
    }
    weights[pick] = 0;
    return pick;
}

QByteArray pairText(int a, int b) {
    return QByteArray::number(a).rightJustified(2, ' ') + '-' +
           QByteArray::number(b).rightJustified(2, ' ');
}

QByteArray asciiOdds(int tenths) {
    return QByteArray::number(tenths / 10) + '.' + QByteArray::number(tenths % 10);
}

// Writes ASCII right-aligned in the field, as setRight does, without the
// encoder: a season writes some two hundred thousand such fields.
void putRight(RecordBuilder& record, FieldSpan field, const QByteArray& text) {
    record.setBytes(field.offset + field.width - static_cast<int>(text.size()), text);
}

bool writeRace(const QDir& dir, const QString& dayText, int course, int raceNo, double beta,
               Random& rng) {
    const int n = 8 + rng.below(11);
    std::vector<bool> scratched(n, false);
    if (rng.below(20) == 0) scratched[rng.below(n)] = true;

    // The market: strengths normalised over the starters, written as 単勝 odds.
    std::vector<double> strength(n, 0.0);
    double total = 0;
    for (int i = 0; i < n; ++i) {
        if (!scratched[i]) strength[i] = std::exp(1.1 * rng.normal());
        total += strength[i];
    }
    std::vector<int> win(n, 0);
    for (int i = 0; i < n; ++i) {
        if (!scratched[i]) win[i] = oddsTenths(0.8, strength[i] / total, 9999);
    }
    // π from the odds as written, and the law's chances p ∝ π^β.
    std::vector<double> pi(n, 0.0), chance(n, 0.0);
    double piSum = 0, chanceSum = 0;
    for (int i = 0; i < n; ++i) {
        if (scratched[i]) continue;
        pi[i] = 10.0 / win[i];
        piSum += pi[i];
    }
    for (int i = 0; i < n; ++i) {
        if (scratched[i]) continue;
        pi[i] /= piSum;
        chance[i] = std::pow(pi[i], beta);
        chanceSum += chance[i];
    }
    std::vector<double> left = chance;
    std::vector<int> finish;
    for (int place = 0; place < 3; ++place) finish.push_back(draw(left, rng) + 1);

    const QString raceTitle = QStringLiteral("サンプル%1R").arg(raceNo);
    const QString tail = RaceChar(raceNo) + QStringLiteral(".jra");
    const QString code = QString::number(course);

    RecordBuilder zo = ZoBuilder();
    zo.set(ZoLayout::RaceDate, dayText).set(ZoLayout::RaceTitle, raceTitle);
    for (int h = 0; h < n; ++h) {
        zo.setRight(ZoLayout::HorseNo(h), QString::number(h + 1));
        if (scratched[h]) {
            zo.setRight(ZoLayout::WinOdds(h), QStringLiteral("取消"));
            continue;
        }
        const int place = std::max(10, 10 + (win[h] - 10) / 4);
        putRight(zo, ZoLayout::WinOdds(h), asciiOdds(win[h]));
        putRight(zo, ZoLayout::PlaceOddsLow(h), asciiOdds(place));
        putRight(zo, ZoLayout::PlaceOddsHigh(h), asciiOdds(place + place / 3));
    }

    // 馬連 odds from the chance of each pair finishing first and second in the
    // market's view, with some noise.
    RecordBuilder uo = UoBuilder();
    uo.set(UoLayout::RaceDate, dayText)
        .set(UoLayout::RaceTitle, raceTitle)
        .setRight(UoLayout::Runners, QString::number(n));
    std::vector<std::vector<int>> quinella(n + 1, std::vector<int>(n + 1, 0));
    for (int k = 0; k < n * (n - 1) / 2; ++k) {
        const auto [a, b] = UoRecord::PairOfEntry(k, n);
        const FieldSpan odds = UoLayout::QuinellaOdds(k);
        uo.setBytes(odds.offset - 5, pairText(a, b));
        const double pa = pi[a - 1], pb = pi[b - 1];
        if (pa == 0 || pb == 0) {
            uo.set({odds.offset, 6}, QStringLiteral("  ﾄﾘｹｼ"));
            continue;
        }
        const double pair = pa * pb / (1.0 - pa) + pa * pb / (1.0 - pb);
        quinella[a][b] = oddsTenths(0.775, pair * std::exp(0.1 * rng.normal()), 99999);
        putRight(uo, {odds.offset, 6}, asciiOdds(quinella[a][b]));
    }

    RecordBuilder ks = KsBuilder();
    ks.set(KsLayout::RaceDate, dayText)
        .setRight(KsLayout::RaceNo, QString::number(raceNo))
        .set(KsLayout::RaceTitle, raceTitle);
    for (int i = 0; i < 3; ++i) {
        ks.setRight({KsLayout::FinisherHorseNo(i).offset - 2, 2}, QString::number(i + 1))
            .setRight(KsLayout::FinisherHorseNo(i), QString::number(finish[i]));
    }
    ks.setRight(KsLayout::WinPayout, QString::number(win[finish[0] - 1] * 10));
    const FieldSpan placePayouts[] = {KsLayout::PlacePayout1, KsLayout::PlacePayout2,
                                      KsLayout::PlacePayout3};
    // 複勝 pays three places from eight starters, two below.
    const int starters = n - static_cast<int>(std::count(scratched.begin(), scratched.end(), true));
    for (int i = 0; i < (starters >= 8 ? 3 : 2); ++i) {
        const int w = win[finish[i] - 1];
        ks.setRight(placePayouts[i], QString::number(std::max(10, 10 + (w - 10) / 4) * 10));
    }
    const int a = std::min(finish[0], finish[1]), b = std::max(finish[0], finish[1]);
    ks.set(KsLayout::QuinellaCombo, QString::fromLatin1(pairText(a, b)))
        .setRight(KsLayout::QuinellaPayout, QString::number(quinella[a][b] * 10));

    return zo.writeTo(dir.filePath(QStringLiteral("zo-") + code + QLatin1Char('8') + tail)) &&
           uo.writeTo(dir.filePath(QStringLiteral("uo-") + code + QLatin1Char('8') + tail)) &&
           ks.writeTo(dir.filePath(QStringLiteral("ks-") + code + QStringLiteral("508") + tail));
}

}  // namespace

bool WriteSampleSeason(const QString& directory, int days, double beta, quint64 seed,
                       const QDate& firstDay) {
    Random rng(0x5EA5000000000000ull ^ seed);
    const QDate first = firstDay.isValid() ? firstDay : QDate(2025, 1, 4);
    for (int d = 0; d < days; ++d) {
        const QDate day = first.addDays(7 * (d / 2) + d % 2);
        QDir dir(directory);
        const QString name = day.toString(QStringLiteral("yyyy-MM-dd"));
        if (!dir.mkpath(name) || !dir.cd(name)) return false;
        const QString dayText = day.toString(QStringLiteral("yyyyMMdd"));
        for (int course : CoursePairs[(d / 2) % std::size(CoursePairs)]) {
            for (int raceNo = 1; raceNo <= 12; ++raceNo) {
                if (!writeRace(dir, dayText, course, raceNo, beta, rng)) return false;
            }
        }
    }
    return true;
}
