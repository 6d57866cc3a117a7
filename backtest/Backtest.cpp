#include "backtest/Backtest.h"

#include <QLocale>
#include <algorithm>
#include <cmath>
#include <limits>

#include "common/Csv.h"
#include "common/TerminalText.h"
#include "common/TextTable.h"

namespace {

// Odds in tenths, as they are written (one decimal), for comparing with band edges.
qint64 tenths(double odds) {
    return std::llround(odds * 10.0);
}

// Lower edges of the 単勝 bands, in tenths.
constexpr qint64 WinEdges[] = {10, 20, 30, 50, 100, 200, 500, 1000};
const char16_t* const WinLabels[] = {u"1.0–1.9",   u"2.0–2.9",   u"3.0–4.9",   u"5.0–9.9",
                                     u"10.0–19.9", u"20.0–49.9", u"50.0–99.9", u"100.0以上"};
constexpr qint64 QuinellaEdges[] = {10, 100, 300, 1000, 3000, 10000};
const char16_t* const QuinellaLabels[] = {u"1.0–9.9",   u"10–29.9",   u"30–99.9",
                                          u"100–299.9", u"300–999.9", u"1000以上"};
// Upper edges of the bands of p, in percent.
constexpr double ReliabilityEdges[] = {2, 5, 10, 20, 40};
const char16_t* const ReliabilityLabels[] = {u"0–2%",   u"2–5%",   u"5–10%",
                                             u"10–20%", u"20–40%", u"40%以上"};

template <std::size_t N>
int bandOf(qint64 oddsTenths, const qint64 (&edges)[N]) {
    int band = 0;  // odds under the first edge go to the first band
    for (std::size_t i = 1; i < N; ++i) {
        if (oddsTenths >= edges[i]) band = static_cast<int>(i);
    }
    return band;
}

// ℓ(β) over the races and its first two derivatives: ℓ = Σ β·L_w − log Σ_j e^{β·L_j}.
struct Likelihood {
    double value = 0, slope = 0, curvature = 0;
};

struct FitRace {
    std::vector<double> logMarket;  // log π of each starter
    int winner = 0;                 // index of the winner among them
};

Likelihood likelihood(const std::vector<FitRace>& races, double beta) {
    Likelihood l;
    for (const FitRace& r : races) {
        double top = -std::numeric_limits<double>::infinity();
        for (double x : r.logMarket) top = std::max(top, beta * x);
        double sum = 0, first = 0, second = 0;
        for (double x : r.logMarket) {
            const double w = std::exp(beta * x - top);
            sum += w;
            first += w * x;
            second += w * x * x;
        }
        const double mean = first / sum;
        l.value += beta * r.logMarket[r.winner] - (top + std::log(sum));
        l.slope += r.logMarket[r.winner] - mean;
        l.curvature -= second / sum - mean * mean;
    }
    return l;
}

QString percent(double part, double whole) {
    if (whole <= 0) return QStringLiteral("-");
    return QString::number(100.0 * part / whole, 'f', 1) + QLatin1Char('%');
}

// "1,305.8"
QString predictedText(double wins) {
    QLocale locale = QLocale::c();
    locale.setNumberOptions({});
    return locale.toString(wins, 'f', 1);
}

QString count(qint64 n) {
    QLocale locale = QLocale::c();
    locale.setNumberOptions({});
    return locale.toString(n);
}

TableCell figure(const QString& text) {
    return {text, QColor(), true};
}

TableCell word(const QString& text) {
    return {text, QColor(), false};
}

TableRow winCells(const WinRow& r) {
    return {word(r.label),
            figure(count(r.starters)),
            figure(count(r.wins)),
            figure(percent(r.wins, r.starters)),
            figure(percent(r.marketSum, r.starters)),
            figure(percent(static_cast<double>(r.winPaid), 100.0 * r.starters)),
            figure(percent(static_cast<double>(r.placePaid), 100.0 * r.placeStarters))};
}

QStringList winHeaders(const QString& first) {
    return {first,
            QStringLiteral("頭数"),
            QStringLiteral("勝ち"),
            QStringLiteral("勝率"),
            QStringLiteral("市場の勝率"),
            QStringLiteral("単勝回収率"),
            QStringLiteral("複勝回収率")};
}

QString tableText(const QString& title, const TextTable& table) {
    std::vector<int> widths(table.headers.size(), 0);
    for (int c = 0; c < table.headers.size(); ++c) widths[c] = DisplayWidth(table.headers[c]);
    for (const TableRow& row : table.rows) {
        for (std::size_t c = 0; c < row.size() && c < widths.size(); ++c)
            widths[c] = std::max(widths[c], DisplayWidth(row[c].text));
    }
    const auto line = [&](const QStringList& texts) {
        QString out;
        for (int c = 0; c < texts.size(); ++c) {
            if (c > 0) out += QStringLiteral("  ");
            out += Padded(texts[c], widths[c], c > 0);
        }
        return out + QLatin1Char('\n');
    };
    QString text = title + QLatin1Char('\n') + line(table.headers);
    for (const TableRow& row : table.rows) {
        QStringList texts;
        for (const TableCell& cell : row) texts << cell.text;
        text += line(texts);
    }
    return text;
}

}  // namespace




CalibrationFit FitBeta(const std::vector<BacktestRace>& races) {
    std::vector<FitRace> fitRaces;
    fitRaces.reserve(races.size());
    for (const BacktestRace& race : races) {
        if (race.starters.size() < 2) continue;
        FitRace r;
        const std::vector<double> market = MarketProbabilities(race.starters);
        for (std::size_t i = 0; i < market.size(); ++i) {
            r.logMarket.push_back(std::log(market[i]));
            if (race.starters[i].horse == race.winner) r.winner = static_cast<int>(i);
        }
        fitRaces.push_back(std::move(r));
    }
    CalibrationFit fit;
    fit.races = static_cast<int>(fitRaces.size());
    if (fitRaces.empty()) return fit;

    // Newton's method on the concave log-likelihood, halving a step that does
    // not raise it and keeping β within (0, 20].
    double beta = 1.0;
    Likelihood at = likelihood(fitRaces, beta);
    fit.marketScore = at.value / fit.races;
    for (int iteration = 0; iteration < 100 && at.curvature < 0; ++iteration) {
        double step = -at.slope / at.curvature;
        double next = std::clamp(beta + step, 1e-3, 20.0);
        Likelihood then = likelihood(fitRaces, next);
        for (int halving = 0; halving < 40 && then.value < at.value; ++halving) {
            step /= 2;
            next = std::clamp(beta + step, 1e-3, 20.0);
            then = likelihood(fitRaces, next);
        }
        if (then.value < at.value) break;
        const bool done = std::abs(next - beta) < 1e-9;
        beta = next;
        at = then;
        if (done) break;
    }
    if (at.curvature < 0 && std::abs(at.slope) < 1e-6 * fit.races) {
        fit.fitted = true;
        fit.beta = beta;
        fit.standardError = 1.0 / std::sqrt(-at.curvature);
        fit.fitScore = at.value / fit.races;
    } else {
        fit.fitScore = fit.marketScore;
    }
    return fit;
}

BacktestAnalysis Analyse(const RaceReading& reading) {
    BacktestAnalysis a;
    a.races = static_cast<int>(reading.races.size());
    a.withoutResult = reading.withoutResult;
    for (const char16_t* label : WinLabels) a.bands.push_back({QString::fromUtf16(label)});
    for (const char16_t* label : QuinellaLabels) a.quinella.push_back({QString::fromUtf16(label)});
    for (const char16_t* label : ReliabilityLabels)
        a.reliability.push_back({QString::fromUtf16(label)});
    a.fit = FitBeta(reading.races);
    const double beta = UsedBeta(a.fit);

    for (const BacktestRace& race : reading.races) {
        const std::vector<double> market = MarketProbabilities(race.starters);
        const std::vector<double> p = Calibrated(market, beta);
        const bool placeKnown = !race.places.empty();
        for (std::size_t i = 0; i < race.starters.size(); ++i) {
            const BacktestStarter& s = race.starters[i];
            // 人気: one plus the starters with shorter odds, so that ties share the better rank.
            const auto rank = 1 + std::count_if(race.starters.begin(), race.starters.end(),
                                                [&](const BacktestStarter& o) {
                                                    return tenths(o.odds) < tenths(s.odds);
                                                });
            while (static_cast<qint64>(a.popularity.size()) < rank) {
                a.popularity.push_back({QStringLiteral("%1番人気").arg(a.popularity.size() + 1)});
            }
            const bool won = s.horse == race.winner;
            qint64 placePaid = 0;
            for (const auto& [horse, paid] : race.places) {
                if (horse == s.horse) placePaid = paid;
            }
            for (WinRow* row :
                 {&a.bands[bandOf(tenths(s.odds), WinEdges)], &a.popularity[rank - 1]}) {
                ++row->starters;
                row->marketSum += market[i];
                if (won) {
                    ++row->wins;
                    row->winPaid += race.winPayout;
                }
                if (placeKnown) {
                    ++row->placeStarters;
                    row->placePaid += placePaid;
                }
            }
            const double percentP = 100.0 * p[i];
            const auto edge = std::find_if(std::begin(ReliabilityEdges), std::end(ReliabilityEdges),
                                           [&](double e) { return percentP < e; });
            ReliabilityRow& r = a.reliability[edge - std::begin(ReliabilityEdges)];
            ++r.horses;
            r.predicted += p[i];
            if (won) ++r.wins;
        }
        for (const BacktestPair& pair : race.pairs) {
            QuinellaRow& row = a.quinella[bandOf(tenths(pair.odds), QuinellaEdges)];
            ++row.pairs;
            if (std::pair(pair.first, pair.second) == race.quinellaWinner) {
                ++row.hits;
                row.paid += race.quinellaPayout;
            }
        }
    }
    return a;
}

TextTable BandTable(const BacktestAnalysis& a) {
    TextTable t;
    t.headers = winHeaders(QStringLiteral("オッズ帯"));
    for (const WinRow& r : a.bands) t.rows.push_back(winCells(r));
    return t;
}

TextTable PopularityTable(const BacktestAnalysis& a) {
    TextTable t;
    t.headers = winHeaders(QStringLiteral("人気"));
    for (const WinRow& r : a.popularity) t.rows.push_back(winCells(r));
    return t;
}

TextTable QuinellaTable(const BacktestAnalysis& a) {
    TextTable t;
    t.headers = QStringList{QStringLiteral("オッズ帯"), QStringLiteral("組数"),
                            QStringLiteral("的中"), QStringLiteral("回収率")};
    for (const QuinellaRow& r : a.quinella) {
        t.rows.push_back({word(r.label), figure(count(r.pairs)), figure(count(r.hits)),
                          figure(percent(static_cast<double>(r.paid), 100.0 * r.pairs))});
    }
    return t;
}

TextTable ReliabilityTable(const BacktestAnalysis& a) {
    TextTable t;
    t.headers = QStringList{QStringLiteral("予測勝率帯"), QStringLiteral("頭数"),
                            QStringLiteral("予測勝ち"),   QStringLiteral("実際の勝ち"),
                            QStringLiteral("予測勝率"),   QStringLiteral("実際の勝率")};
    for (const ReliabilityRow& r : a.reliability) {
        t.rows.push_back({word(r.label), figure(count(r.horses)),
                          figure(predictedText(r.predicted)), figure(count(r.wins)),
                          figure(percent(r.predicted, r.horses)),
                          figure(percent(r.wins, r.horses))});
    }
    return t;
}


QString ScoreLine(const CalibrationFit& fit) {
    QString text = QStringLiteral("対数スコア（1レースあたり）市場 %1　補正 %2")
                       .arg(fit.marketScore, 0, 'f', 3)
                       .arg(fit.fitScore, 0, 'f', 3);
    if (fit.races < FitMinimumRaces) {
        text += QStringLiteral("　%1 レース未満のため補正は使わず β = 1").arg(FitMinimumRaces);
    }
    return text;
}

QString CountText(qint64 n) {
    return count(n);
}

QString WithoutResultLine(int n) {
    return QStringLiteral("結果のないレース %1").arg(count(n));
}

QString AnalysisReport(const BacktestAnalysis& a) {
    QString text;
    text += tableText(QStringLiteral("単勝 オッズ帯別"), BandTable(a)) + QLatin1Char('\n');
    text += tableText(QStringLiteral("単勝 人気別"), PopularityTable(a)) + QLatin1Char('\n');
    text += tableText(QStringLiteral("馬連 オッズ帯別"), QuinellaTable(a)) + QLatin1Char('\n');
    text +=
        tableText(QStringLiteral("予測勝率と実際の勝率"), ReliabilityTable(a)) + QLatin1Char('\n');
    text += QStringLiteral("レース %1　").arg(count(a.races)) + WithoutResultLine(a.withoutResult) +
            QLatin1Char('\n');
    text += ScoreLine(a.fit) + QLatin1Char('\n');
    text += BetaLine(a.fit) + QLatin1Char('\n');
    return text;
}

QByteArray AnalysisCsv(const BacktestAnalysis& a) {
    QByteArray csv =
        TablesCsv({BandTable(a), PopularityTable(a), QuinellaTable(a), ReliabilityTable(a)});
    const QString tail = QStringLiteral("\r\n") + CsvField(WithoutResultLine(a.withoutResult)) +
                         QStringLiteral("\r\n") + CsvField(ScoreLine(a.fit)) +
                         QStringLiteral("\r\n") + CsvField(BetaLine(a.fit)) +
                         QStringLiteral("\r\n");
    return csv + tail.toUtf8();
}
