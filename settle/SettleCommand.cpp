#include "settle/SettleCommand.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTextStream>
#include <algorithm>
#include <array>
#include <optional>

#include "common/BetCsv.h"
#include "common/Csv.h"
#include "common/ProgramDir.h"
#include "common/TerminalText.h"
#include "settings/SettingsFile.h"
#include "settle/Settlement.h"

namespace {

QString amount(const std::optional<qint64>& value) {
    return value ? YenText(*value) : QString();
}

}  // namespace

QString SettlementReport(const Settlement& s) {
    using Row = std::array<QString, 10>;
    std::vector<Row> rows;
    rows.push_back({QStringLiteral("日付"), QStringLiteral("競馬場"), QStringLiteral("レース"),
                    QStringLiteral("券種"), QStringLiteral("買い目"), QStringLiteral("購入"),
                    QStringLiteral("結果"), QStringLiteral("払戻"), QStringLiteral("収支"),
                    QStringLiteral("備考")});
    for (const SettledRace& race : s.races) {
        const QString raceText = QStringLiteral("%1R").arg(race.race);
        for (const SettledBet& bet : race.bets) {
            const BetLine& r = bet.row;
            rows.push_back({race.date, r.place, raceText, r.betType, r.bet, YenText(r.stake),
                            r.outcome, amount(r.payout), amount(r.balance), r.note});
        }
        const bool settled = race.settled();
        rows.push_back({race.date, race.racecourse.placeName(), raceText, QStringLiteral("小計"),
                        QString(), settled ? YenText(race.stake) : QString(),
                        settled ? QString() : QStringLiteral("未確定"),
                        settled ? YenText(race.payout) : QString(),
                        settled ? YenText(race.payout - race.stake) : QString(), QString()});
    }
    std::array<int, 10> widths{};
    for (const Row& row : rows) {
        for (size_t c = 0; c < row.size(); ++c)
            widths[c] = std::max(widths[c], DisplayWidth(row[c]));
    }
    const bool rightAligned[] = {false, false, true, false, false, true, false, true, true, false};
    QString text;
    for (const Row& row : rows) {
        QString line;
        for (size_t c = 0; c < row.size(); ++c) {
            if (c) line += QStringLiteral("  ");
            line += Padded(row[c], widths[c], rightAligned[c]);
        }
        while (line.endsWith(QLatin1Char(' '))) line.chop(1);
        text += line + QLatin1Char('\n');
    }
    const Totals& t = s.totals;
    text += QLatin1Char('\n');
    text += QStringLiteral("購入　%1\n").arg(YenText(t.stake));
    text += QStringLiteral("払戻　%1\n").arg(YenText(t.payout));
    text += QStringLiteral("収支　%1\n").arg(YenText(t.balance()));
    text += QStringLiteral("回収率　%1\n").arg(RateText(t.payout, t.stake));
    text += QStringLiteral("的中率　%1\n").arg(HitText(t));
    text += QStringLiteral("未確定　%1\n").arg(PendingText(t));
    if (!s.skipped.empty()) {
        text += QStringLiteral("\n読めなかった行\n");
        for (const SkippedLine& line : s.skipped) {
            text += QStringLiteral("%1行目：%2").arg(line.line).arg(line.reason);
            if (!line.text.simplified().isEmpty())
                text += QStringLiteral("「%1」").arg(line.text.simplified());
            text += QLatin1Char('\n');
        }
    }
    return text;
}

QString SettingsDataDir() {
    const QString name = QStringLiteral("ZEM.ini");
    const QString configDir =
        QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    const QString candidates[] = {
        QDir(ProgramDir()).filePath(name),
        configDir.isEmpty() ? QString() : QDir(configDir).filePath(QStringLiteral("ZEM/") + name)};
    for (const QString& path : candidates) {
        if (path.isEmpty() || !QFileInfo::exists(path)) continue;
        QFile file(path);
        if (file.open(QIODevice::ReadOnly)) return ReadSettingsText(file.read(64 * 1024));
    }
    return DefaultDataDir();
}

int RunSettleCommand(const QStringList& arguments, QTextStream& out, QTextStream& err) {
    QStringList args = arguments;
    const bool csv = args.removeAll(QStringLiteral("--csv")) > 0;
    // --day YYYY-MM-DD, or --day=YYYY-MM-DD: the day of the blocks without a date line.
    std::optional<QString> dayText;
    for (qsizetype i = 0; i < args.size(); ++i) {
        if (args[i] == u"--day") {
            dayText = i + 1 < args.size() ? args.takeAt(i + 1) : QString();
            args.removeAt(i--);
        } else if (args[i].startsWith(u"--day=")) {
            dayText = args.takeAt(i--).mid(6);
        }
    }
    if (args.isEmpty() || args.size() > 2 || args.front().startsWith(QLatin1Char('-'))) {
        err << "usage: zem-settle [--csv] [--day YYYY-MM-DD] MEMOFILE [DATADIR]\n"
            << "Settles the bets of a saved memo against the race results in DATADIR\n"
            << "(by default the data directory of ZEM.ini) and prints the table and the\n"
            << "totals, or with --csv the bets as CSV. A memo's bets belong to the day of\n"
            << "the date line above them (\"2026/12/06\"); those without one to the day of\n"
            << "--day, else to each race's newest day.\n";
        return 2;
    }
    QDate day;
    if (dayText) {
        day = QDate::fromString(*dayText, QStringLiteral("yyyy-MM-dd"));
        if (!day.isValid() || dayText->size() != 10) {
            err << "zem-settle: --day " << *dayText
                << QStringLiteral(": 日付は YYYY-MM-DD で指定してください\n");
            return 1;
        }
    }
    QFile file(args[0]);
    if (!file.open(QIODevice::ReadOnly)) {
        err << "zem-settle: " << args[0] << ": " << file.errorString() << '\n';
        return 1;
    }
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        err << "zem-settle: " << args[0] << ": " << file.errorString() << '\n';
        return 1;
    }
    const QString dataDir = args.size() > 1 ? args[1] : SettingsDataDir();
    // Without its directory every race would read as still without a result.
    if (!QFileInfo(dataDir).isDir()) {
        err << "zem-settle: " << dataDir << QStringLiteral(": データディレクトリがありません\n");
        return 1;
    }
    const Settlement s = SettleMemo(DecodeMemoFile(bytes), dataDir, day);
    if (csv) {
        WriteCsvTo(out, BetsCsv(s.rows()));
    } else {
        out << SettlementReport(s);
    }
    out.flush();
    return 0;
}
