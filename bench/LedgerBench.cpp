// The ledger at the size of ten years of betting, offscreen:
// - opening Frm_Ledger (latest year) to the end of its first paint;
// - choosing another year in Cmb_Year, or 全期間, to the end of the repaint;
// - recording a 36-race day (288 bets) over the same day already recorded;
// each beside a bare query of the same rows (the floor): the period's bets read
// with one plain SELECT, or the day's bets written with plain DELETE and INSERT
// statements in one transaction. Real and floor runs alternate; medians.
//
//   zem-bench-ledger DIR   (DIR/ledger.sqlite is generated on the first run:
//                           10 years x 100 days x 36 races x 8 bets)

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QSqlQuery>
#include <QTest>
#include <cstdio>
#include <functional>

#include "bench/BenchSupport.h"
#include "bench/PaintWatch.h"
#include "common/BetType.h"
#include "common/Fonts.h"
#include "common/MessageBox.h"
#include "common/Racecourse.h"
#include "ledger/Frm_Ledger.h"
#include "ledger/Ledger.h"
#include "settle/Settlement.h"
#include "tests/ledger/LedgerBets.h"

namespace {

constexpr int FirstYear = 2017;
constexpr int Years = 10;
constexpr int DaysAYear = 100;
constexpr int Runs = 40;
constexpr int Warmups = 5;

[[noreturn]] void fail(const QString& what) {
    std::fprintf(stderr, "ledger benchmark: %s\n", qPrintable(what));
    std::exit(1);
}

// A day of 36 races (東京, 中山, 阪神 x 12), 8 bets each; about one bet in
// nine hits. `salt` varies the stakes between recordings of the same day.
std::vector<BetLine> Day(const QDate& date, int salt) {
    static const QString places[] = {QStringLiteral("東京"), QStringLiteral("中山"),
                                     QStringLiteral("阪神")};
    static const QString types[] = {QStringLiteral("馬連"), QStringLiteral("枠連"),
                                    QStringLiteral("単勝"), QStringLiteral("複勝")};
    std::vector<BetLine> rows;
    rows.reserve(288);
    const QString day = date.toString(QStringLiteral("yyyy/MM/dd"));
    for (int r = 0; r < 36; ++r) {
        const int race = r % 12 + 1;
        const QString& type = types[(r + date.day()) % 4];
        for (int k = 0; k < 8; ++k) {
            BetLine row;
            row.date = day;
            row.place = places[r / 12];
            row.race = race;
            row.betType = type;
            row.bet = type == types[0] || type == types[1]
                          ? QStringLiteral("%1-%2").arg(k / 4 + 1).arg(k + 2)
                          : QString::number(k + 1);
            row.stake = 100 * ((k + r + salt + date.dayOfYear()) % 10 + 1);
            const bool hit = (r * 8 + k + date.dayOfYear()) % 9 == 0;
            row.outcome = hit ? QStringLiteral("的中") : QStringLiteral("不的中");
            row.payout = hit ? row.stake * (3 + (k + r) % 20) : 0;
            row.balance = *row.payout - row.stake;
            rows.push_back(std::move(row));
        }
    }
    return rows;
}

QDate DayOf(int year, int day) {
    return QDate(year, 1, 1).addDays(day * 365 / DaysAYear);
}

void generate(const QString& path) {
    std::fprintf(stderr, "generating %s ...\n", qPrintable(path));
    Ledger ledger;
    if (!ledger.open(path)) fail(ledger.error());
    QSqlQuery(ledger.connection()).exec(QStringLiteral("PRAGMA synchronous = OFF"));
    for (int year = FirstYear; year < FirstYear + Years; ++year) {
        for (int day = 0; day < DaysAYear; ++day) {
            if (!ledger.record(LedgerBets(Day(DayOf(year, day), 0))).ok) fail(ledger.error());
        }
    }
}

// The period's bets with one plain SELECT through the same driver.
double bareRead(Ledger& ledger, int year) {
    const Stamp start = TakeStamp();
    QSqlQuery query(ledger.connection());
    query.setForwardOnly(true);
    query.prepare(
        QStringLiteral("SELECT race_date, place, race, bet_type, stake, payout, outcome"
                       " FROM bets WHERE race_date BETWEEN ? AND ?"));
    query.addBindValue(year == AllYears ? 0 : year * 10000);
    query.addBindValue(year == AllYears ? 99999999 : year * 10000 + 9999);
    if (!query.exec()) fail(QStringLiteral("bare query failed"));
    qint64 sum = 0;
    while (query.next()) sum += query.value(4).toLongLong() + query.value(5).toLongLong();
    const double seconds = Elapsed(start, TakeStamp());
    if (sum == 0) fail(QStringLiteral("no rows read"));
    return seconds;
}

// The day's bets written with plain statements in one transaction.
double bareWrite(Ledger& ledger, const std::vector<BetLine>& rows) {
    QSqlDatabase db = ledger.connection();
    const Stamp start = TakeStamp();
    QSqlQuery query(db);
    query.exec(QStringLiteral("BEGIN IMMEDIATE"));
    QSqlQuery remove(db);
    remove.prepare(QStringLiteral("DELETE FROM bets WHERE race_date = ?"));
    remove.addBindValue(QString(rows.front().date).remove(QLatin1Char('/')).toInt());
    remove.exec();
    QSqlQuery insert(db);
    insert.prepare(
        QStringLiteral("INSERT INTO bets (race_date, place, race, bet_type, bet, stake,"
                       " payout, outcome, recorded_at) VALUES (?,?,?,?,?,?,?,?,'')"));
    for (const BetLine& row : rows) {
        insert.addBindValue(QString(row.date).remove(QLatin1Char('/')).toInt());
        insert.addBindValue(CourseCodeOf(row.place));
        insert.addBindValue(row.race);
        insert.addBindValue(int(BetTypeOf(row.betType).value_or(BetType::Quinella)));
        insert.addBindValue(row.bet);
        insert.addBindValue(row.stake);
        insert.addBindValue(*row.payout);
        insert.addBindValue(
            int(row.outcome == OutcomeName(Outcome::Hit) ? Outcome::Hit : Outcome::Miss));
        if (!insert.exec()) fail(QStringLiteral("bare insert failed"));
    }
    if (!query.exec(QStringLiteral("COMMIT"))) fail(QStringLiteral("bare commit failed"));
    return Elapsed(start, TakeStamp());
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: zem-bench-ledger DIR\n");
        return 2;
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("ZEM"));
    QApplication::setFont(UiFont(9));
    SetMessageHandler([](const MessageRequest& request) -> MsgAnswer {
        fail(QStringLiteral("message: ") + request.text);
    });
    QDir().mkpath(QString::fromLocal8Bit(argv[1]));
    const QString path =
        QDir(QString::fromLocal8Bit(argv[1])).filePath(QStringLiteral("ledger.sqlite"));
    if (!QFileInfo::exists(path)) generate(path);
    SetLedgerPath(path);

    Ledger bare;
    if (!bare.open()) fail(bare.error());
    const int latest = FirstYear + Years - 1;
    PaintWatch watch;

    // Opening the window on the latest year, to its first paint.
    QPointer<Frm_Ledger> window;
    const auto openOnce = [&](int) {
        watch.arm(WindowNamed(QStringLiteral("Frm_Ledger")));
        const Stamp start = TakeStamp();
        Frm_Ledger::Show(window);
        if (!watch.wait()) fail(QStringLiteral("Frm_Ledger did not paint"));
        const double seconds = Elapsed(start, watch.ended());
        window->close();
        SettleEvents();
        return seconds;
    };
    PrintBudgetRow("Frm_Ledger open to first paint, 290k bets",
                   Alternate(
                       openOnce, [&](int) { return bareRead(bare, latest); }, Warmups, Runs),
                   0.100);

    // Changing the year in the open window, to its repaint.
    Frm_Ledger::Show(window);
    if (!QTest::qWaitForWindowExposed(window)) fail(QStringLiteral("Frm_Ledger did not show"));
    SettleEvents();
    int allYears = 0;  // set for the row that measures 全期間 (change(1) then chooses it)
    const auto yearOf = [&](int i) {
        return allYears ? (i % 2 ? AllYears : latest - 1) : latest - 1 - i % (Years - 1);
    };
    auto* years = window->findChild<QComboBox*>(QStringLiteral("Cmb_Year"));
    if (!years) fail(QStringLiteral("no Cmb_Year"));
    const auto change = [&](int i) {
        const int index = years->findData(yearOf(i));
        watch.arm([&](QWidget* painted) { return painted == window; });
        const Stamp start = TakeStamp();
        years->setCurrentIndex(index);
        if (!watch.wait()) fail(QStringLiteral("no repaint after the year changed"));
        const double seconds = Elapsed(start, watch.ended());
        years->setCurrentIndex(0);
        SettleEvents();
        return seconds;
    };
    PrintBudgetRow("Frm_Ledger year changed to repaint",
                   Alternate(
                       change, [&](int i) { return bareRead(bare, yearOf(i)); }, Warmups, Runs),
                   0.050);
    // 全期間 and back: the figures of every year, beside a bare read of every bet.
    allYears = 1;
    const auto toAll = [&](int) { return change(1); };
    PrintBudgetRow("Frm_Ledger all years chosen to repaint",
                   Alternate(
                       toAll, [&](int) { return bareRead(bare, AllYears); }, Warmups, Runs),
                   0.050);
    window->close();
    SettleEvents();

    // Recording a day over the same day already recorded.
    const QDate day = DayOf(latest, DaysAYear - 1);
    Ledger recorder;
    if (!recorder.open()) fail(recorder.error());
    const auto record = [&](int i) {
        const std::vector<LedgerBet> rows = LedgerBets(Day(day, i + 1));
        const Stamp start = TakeStamp();
        const RecordOutcome outcome = recorder.record(rows);
        const double seconds = Elapsed(start, TakeStamp());
        if (!outcome.ok || outcome.recorded != 288) fail(outcome.error);
        return seconds;
    };
    const TimedPair recording = Alternate(
        record, [&](int i) { return bareWrite(bare, Day(day, i + 1)); }, Warmups, Runs);
    PrintBudgetRow("recording a 36-race day (288 bets)", recording, 0.050);
    recorder.record(LedgerBets(Day(day, 0)));
    return 0;
}
