#include "backtest/AnalyseCommand.h"

#include <QDirIterator>
#include <QIODevice>
#include <QRegularExpression>
#include <QTextStream>
#include <algorithm>
#include <optional>

#include "backtest/Backtest.h"
#include "racedata/Value.h"
#include "common/Csv.h"
#include "common/TerminalText.h"
#include "racedata/RaceOdds.h"
#include "racedata/RaceFiles.h"

namespace {

// "東京11R" as a race without a date; nullopt for any other text.
std::optional<Race> raceOf(const QString& text) {
    static const QRegularExpression pattern(QStringLiteral("^(\\D+?)(\\d{1,2})R$"));
    const QRegularExpressionMatch match = pattern.match(text);
    if (!match.hasMatch()) return std::nullopt;
    Race race;
    race.course = CourseCodeOf(match.captured(1));
    race.number = match.captured(2).toInt();
    if (race.course < 0 || race.number < 1 || race.number > 12) return std::nullopt;
    return race;
}

// The folder (among the folders and their subfolders) holding the race's odds
// of the day, else of its newest day; the race dated with it. nullopt when
// none holds them.
std::optional<std::pair<QString, Race>> findRace(const QStringList& folders, Race race,
                                                 const QDate& day) {
    std::optional<std::pair<QString, Race>> best;
    for (const QString& folder : folders) {
        QStringList dirs{folder};
        QDirIterator it(folder, QDir::Dirs | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
        while (it.hasNext()) dirs << it.next();
        for (const QString& dir : dirs) {
            const RaceFileSet files(dir, race.course, race.number);
            QDate found;
            if (day.isValid()) {
                if (files.find(QStringLiteral("zo-"), 5, day).path.isEmpty() &&
                    files.find(QStringLiteral("uo-"), 5, day).path.isEmpty())
                    continue;
                found = day;
            } else {
                found = std::max(files.newestDayOf(QStringLiteral("zo-")),
                                 files.newestDayOf(QStringLiteral("uo-")));
                if (!found.isValid() && files.find(QStringLiteral("zo-"), 5).path.isEmpty() &&
                    files.find(QStringLiteral("uo-"), 5).path.isEmpty())
                    continue;
            }
            if (!best || found > best->second.date)
                best = {{dir, {found, race.course, race.number}}};
        }
    }
    return best;
}

QString columns(const std::vector<QStringList>& rows) {
    std::vector<int> widths;
    for (const QStringList& row : rows) {
        widths.resize(std::max<std::size_t>(widths.size(), row.size()), 0);
        for (int c = 0; c < row.size(); ++c) widths[c] = std::max(widths[c], DisplayWidth(row[c]));
    }
    QString text;
    for (const QStringList& row : rows) {
        for (int c = 0; c < row.size(); ++c) {
            if (c > 0) text += QStringLiteral("  ");
            text += Padded(row[c], widths[c], true);
        }
        text += u'\n';
    }
    return text;
}

// The race's horses and its bets worth 1.00 or more, as the odds analysis shows them.
QString raceReport(const Race& race, const RaceOddsRead& read, const ValueBasis& basis) {
    const MarketAnalysis market = AnalyseMarket(read.odds);
    const RaceValue value = ValueOfRace(read.odds, market, basis.beta);
    QString text = QStringLiteral("%1 %2R　%3　%4\n")
                       .arg(race.placeName())
                       .arg(race.number)
                       .arg(read.raceDate, read.raceTitle.trimmed());
    text += basis.line + u'\n';
    std::vector<QStringList> rows{{QStringLiteral("馬番"), QStringLiteral("単勝"),
                                   QStringLiteral("補正勝率"), QStringLiteral("期待値")}};
    for (std::size_t i = 0; i < market.horses.size(); ++i) {
        const HorseRow& h = market.horses[i];
        const HorseValue& v = value.horses[i];
        rows.push_back({QString::number(h.horse), CappedText(h.win, OddsCap),
                        v.chance ? ChanceText(*v.chance) : QString(),
                        v.value
                            ? ValueText(*v.value) + (v.capped ? QStringLiteral("以上") : QString())
                            : QString()});
    }
    text += columns(rows);
    text += QStringLiteral("期待値の高い組（馬連・枠連、期待値 1.00 以上）\n");
    if (value.bets.empty()) text += QStringLiteral("なし\n");
    for (const ValueBet& bet : value.bets) text += ValueBetText(bet) + u'\n';
    return text;
}

int usage(QTextStream& err) {
    err << "usage: zem-analyse [--csv] [--history] [--from YYYY-MM-DD] [--to YYYY-MM-DD] DIR...\n"
        << "       zem-analyse --race 東京11R [--day YYYY-MM-DD] [--beta B] [--history] DIR...\n"
        << "Reads the races of the PAT95 folders DIR (and their subfolders), with --history\n"
        << "also ZEM's odds history, and prints the returns by odds band and popularity and\n"
        << "the calibration of the odds; --csv prints them as CSV. With --race it prints the\n"
        << "race's horses (単勝, calibrated chance, expected value) and its 馬連 and 枠連 bets\n"
        << "worth 1.00 or more, with β fitted from the folders' races unless --beta gives it.\n";
    return 2;
}

}  // namespace

int RunAnalyseCommand(const QStringList& arguments, QTextStream& out, QTextStream& err) {
    RaceSources sources;
    bool csv = false;
    bool ok = true;
    std::optional<Race> race;
    QDate day;
    std::optional<double> beta;
    for (int i = 0; i < arguments.size(); ++i) {
        const QString& arg = arguments[i];
        const QString next = i + 1 < arguments.size() ? arguments[i + 1] : QString();
        if (arg == QLatin1String("--csv")) {
            csv = true;
        } else if (arg == QLatin1String("--history")) {
            sources.history = true;
        } else if (arg == QLatin1String("--from") || arg == QLatin1String("--to") ||
                   arg == QLatin1String("--day")) {
            const QDate date = QDate::fromString(next, Qt::ISODate);
            ++i;
            ok = ok && date.isValid();
            (arg == QLatin1String("--from") ? sources.from
             : arg == QLatin1String("--to") ? sources.to
                                            : day) = date;
        } else if (arg == QLatin1String("--race")) {
            race = raceOf(next);
            ++i;
            ok = ok && race;
        } else if (arg == QLatin1String("--beta")) {
            bool number = false;
            beta = next.toDouble(&number);
            ++i;
            ok = ok && number && *beta > 0 && *beta <= 20;
        } else if (arg.startsWith(QLatin1Char('-'))) {
            ok = false;
        } else {
            sources.folders << arg;
        }
    }
    // --day and --beta belong to --race, which prints no CSV.
    if (race ? csv : (day.isValid() || beta)) ok = false;
    if (!ok || sources.folders.isEmpty()) return usage(err);

    if (race) {
        ValueBasis basis;
        if (beta) {
            basis = FixedBasis(*beta);
        } else {
            const RaceReading reading = ReadRaces(sources);
            for (const QString& folder : reading.unreadable)
                err << "zem-analyse: " << folder << ": フォルダを読めません\n";
            if (reading.unreadable.size() == sources.folders.size()) return 1;
            basis = BasisOfFit(FitBeta(reading.races));
        }
        const auto found = findRace(sources.folders, *race, day);
        if (!found) {
            err << "zem-analyse: " << race->placeName() << race->number << "R"
                << (day.isValid() ? day.toString(QStringLiteral(" yyyy-MM-dd")) : QString())
                << ": オッズのファイルがありません\n";
            return 1;
        }
        out << raceReport(found->second, ReadRaceOdds(found->first, found->second), basis);
        out.flush();
        return 0;
    }

    const RaceReading reading = ReadRaces(sources);
    for (const QString& folder : reading.unreadable) {
        err << "zem-analyse: " << folder << ": フォルダを読めません\n";
    }
    if (reading.unreadable.size() == sources.folders.size()) return 1;
    const BacktestAnalysis analysis = Analyse(reading);
    if (csv) {
        WriteCsvTo(out, AnalysisCsv(analysis));
    } else {
        out << AnalysisReport(analysis);
    }
    out.flush();
    return 0;
}
