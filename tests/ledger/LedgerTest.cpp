#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSqlQuery>
#include <QThread>

#include "common/Racecourse.h"
#include "ledger/Ledger.h"
#include "settle/Settlement.h"
#include "support/Fixtures.h"
#include "tests/ledger/LedgerBets.h"

namespace {

BetLine Bet(const QString& date, const QString& place, int race, const QString& type,
            const QString& bet, qint64 stake, const QString& outcome, qint64 payout) {
    BetLine row{date, place, race, type, bet, stake, outcome, payout, payout - stake};
    if (outcome == u"未確定"_qs || outcome == u"払戻不明"_qs) row.payout = row.balance = {};
    return row;
}

// Two days of 2026 and one of 2025, figures worked out by hand below.
std::vector<BetLine> November() {
    return {Bet(u"2026/11/01"_qs, u"東京"_qs, 11, u"馬連"_qs, u"3-7"_qs, 1000, u"的中"_qs, 5400),
            Bet(u"2026/11/01"_qs, u"東京"_qs, 11, u"馬連"_qs, u"3-8"_qs, 1000, u"不的中"_qs, 0),
            Bet(u"2026/11/01"_qs, u"東京"_qs, 12, u"枠連"_qs, u"3-3"_qs, 500, u"不的中"_qs, 0)};
}
std::vector<BetLine> December() {
    return {Bet(u"2026/12/06"_qs, u"中山"_qs, 1, u"単勝"_qs, u"5"_qs, 500, u"的中"_qs, 1500),
            Bet(u"2026/12/06"_qs, u"中山"_qs, 1, u"複勝"_qs, u"2"_qs, 300, u"返還"_qs, 300),
            Bet(u"2026/12/06"_qs, u"中山"_qs, 2, u"馬連"_qs, u"1-2"_qs, 200, u"不的中"_qs, 0)};
}

const Race Tokyo11{QDate(2026, 11, 1), CourseCodeOf(u"東京"_qs), 11};

template <typename... Lists>
std::vector<BetLine> Join(const Lists&... lists) {
    std::vector<BetLine> all;
    (all.insert(all.end(), lists.begin(), lists.end()), ...);
    return all;
}

// stake, payout, bets, hits, refunds, races
using Figures = std::tuple<qint64, qint64, int, int, int, int>;
Figures Of(const LedgerFigures& f) {
    return {f.stake, f.payout, f.bets, f.hits, f.refunds, f.races};
}
using Lines = std::vector<std::pair<QString, Figures>>;
Lines Of(const std::vector<LedgerLine>& list) {
    Lines out;
    for (const auto& line : list) out.emplace_back(line.label, Of(line.figures));
    return out;
}

// Runs statements (separated by ';') on the file through a connection of its own, as an older
// program would.
void Exec(const QString& path, const QString& script) {
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(u"QSQLITE"_qs, u"raw"_qs);
        db.setDatabaseName(path);
        ASSERT_TRUE(db.open());
        QSqlQuery q(db);
        for (const QString& s : script.split(u';')) ASSERT_TRUE(q.exec(s)) << s.toStdString();
    }
    QSqlDatabase::removeDatabase(u"raw"_qs);
}

// A ledger of version 3, recorded by the program of that version before the
// file kept codes, and the figures that program showed for it.
const QString V3Data = QStringLiteral(ZEM_TESTS_DIR "/ledger/data/");
void CopyV3() {
    QDir().mkpath(QFileInfo(LedgerPath()).path());
    QFile::remove(LedgerPath());
    ASSERT_TRUE(QFile::copy(V3Data + u"ledger-v3.sqlite"_qs, LedgerPath()));
    QFile::setPermissions(LedgerPath(), QFile::ReadOwner | QFile::WriteOwner);
}

class LedgerTest : public ::testing::Test {
protected:
    LedgerTest() { SetLedgerPath(dir.file(u"data/ledger.sqlite"_qs)); }
    ~LedgerTest() override { SetLedgerPath({}); }

    bool recorded(const std::vector<BetLine>& rows) {
        Ledger ledger;
        const bool ok = ledger.open() && ledger.record(LedgerBets(rows)).ok;
        EXPECT_TRUE(ok) << ledger.error().toStdString();
        return ok;
    }

    TempDir dir;
};

TEST_F(LedgerTest, FiguresByPeriodAndTypeRacesOfAMonthAndDeletingOne) {
    ASSERT_TRUE(recorded(Join(December(), November(),
                              std::vector{Bet(u"2025/05/04"_qs, u"京都"_qs, 11, u"単勝"_qs, u"1"_qs,
                                              1000, u"不的中"_qs, 0)})));
    Ledger ledger;
    ASSERT_TRUE(ledger.open());

    const LedgerSummary months = ledger.summary(2026);
    EXPECT_EQ(Of(months.lines), (Lines{{u"11月"_qs, {2500, 5400, 3, 1, 0, 2}},
                                       {u"12月"_qs, {1000, 1800, 3, 1, 1, 2}}}));
    EXPECT_EQ(Of(months.total), Figures(3500, 7200, 6, 2, 1, 4));
    EXPECT_EQ(HitRateText(months.total), u"40.0%"_qs);  // 2 of the 5 that ran
    EXPECT_EQ(Of(ledger.summary(AllYears).total), Figures(4500, 7200, 7, 2, 1, 5));
    EXPECT_EQ(RecoveryRateText(ledger.summary(2024).total), u"-"_qs);

    // The chart's series: a point per day of a year, per month over every year.
    using Points = std::vector<std::pair<QString, qint64>>;
    auto points = [](const std::vector<LedgerPoint>& series) {
        Points out;
        for (const auto& p : series) out.emplace_back(p.label, p.balance);
        return out;
    };
    EXPECT_EQ(points(ledger.balanceSeries(2026)),
              (Points{{u"11/01"_qs, 2900}, {u"12/06"_qs, 3700}}));
    EXPECT_EQ(points(ledger.balanceSeries(AllYears)),
              (Points{{u"2025/05"_qs, -1000}, {u"2026/11"_qs, 1900}, {u"2026/12"_qs, 2700}}));
    EXPECT_EQ(Of(ledger.byType(2026)), (Lines{{u"馬連"_qs, {2200, 5400, 3, 1, 0, 2}},
                                              {u"枠連"_qs, {500, 0, 1, 0, 0, 1}},
                                              {u"単勝"_qs, {500, 1500, 1, 1, 0, 1}},
                                              {u"複勝"_qs, {300, 300, 1, 0, 1, 1}}}));

    ASSERT_EQ(ledger.races(2026, 11).size(), 2u);
    ASSERT_TRUE(ledger.deleteRace(Tokyo11));
    EXPECT_EQ(ledger.races(2026, 11).size(), 1u);
    EXPECT_EQ(Of(ledger.summary(2026).total), Figures(1500, 1800, 4, 1, 1, 3));
    // The period's bets come back as they were recorded, in date order.
    EXPECT_EQ(BetsCsv(ledger.bets(2026)), BetsCsv(Join(std::vector{November()[2]}, December())));
}

// What is recorded reads back as the same bets and figures; bets not settled
// are left out of both.
TEST_F(LedgerTest, RecordedBetsReadBackAsTheyWere) {
    const QDate day(2026, 12, 6);
    const int nakayama = CourseCodeOf(u"中山"_qs), hanshin = CourseCodeOf(u"阪神"_qs);
    const std::vector<LedgerBet> settled{
        {{day, nakayama, 11}, BetType::Quinella, u"3-7"_qs, Outcome::Hit, 1000, 12340},
        {{day, nakayama, 11}, BetType::BracketQuinella, u"2-2"_qs, Outcome::Miss, 500, 0},
        {{day, hanshin, 1}, BetType::Win, u"5"_qs, Outcome::Refund, 300, 300},
        {{day, hanshin, 2}, BetType::Place, u"12"_qs, Outcome::Hit, 200, 260}};
    const std::vector<LedgerBet> unsettled{
        {{day, hanshin, 3}, BetType::Win, u"1"_qs, Outcome::Pending, 100, 0},
        {{day, hanshin, 2}, BetType::Place, u"4"_qs, Outcome::PayoutUnknown, 400, 0}};
    std::vector<LedgerBet> all = settled;
    all.insert(all.end(), unsettled.begin(), unsettled.end());
    Ledger ledger;
    ASSERT_TRUE(ledger.open());
    const RecordOutcome outcome = ledger.record(all);
    ASSERT_TRUE(outcome.ok) << outcome.error.toStdString();
    EXPECT_EQ(std::tuple(outcome.recorded, outcome.races, outcome.pending, outcome.unknown),
              std::tuple(4, 3, 1, 1));
    EXPECT_EQ(LedgerBets(ledger.bets(2026)), settled);
    EXPECT_EQ(LedgerBets(ledger.raceBets({day, hanshin, 2})), std::vector{settled[3]});
    std::vector<Race> races;
    for (const LedgerRace& race : ledger.recordedRaces(all)) races.push_back(race.race);
    EXPECT_EQ(races,
              (std::vector<Race>{{day, nakayama, 11}, {day, hanshin, 1}, {day, hanshin, 2}}));
}

// A memo recorded again replaces its races' bets; bets still pending or of
// unknown payout are counted, not recorded, and leave the race's figures as
// they were. Those with a day are kept apart, in their year, and go with their
// race when it is deleted.
TEST_F(LedgerTest, RecordingReplacesTheMemosRacesAndLeavesOutUnsettledBets) {
    ASSERT_TRUE(recorded(November()));
    Ledger ledger;
    ASSERT_TRUE(ledger.open());
    EXPECT_EQ(Of(ledger.summary(2026).total), Figures(2500, 5400, 3, 1, 0, 2));

    // A corrected memo for 東京11R: one bet of 2000 that missed. 東京12R stays.
    RecordOutcome outcome = ledger.record(LedgerBets(
        {Bet(u"2026/11/01"_qs, u"東京"_qs, 11, u"馬連"_qs, u"7-3"_qs, 2000, u"不的中"_qs, 0)}));
    EXPECT_TRUE(outcome.ok);
    EXPECT_EQ(std::tuple(outcome.recorded, outcome.races, outcome.leftOut()), std::tuple(1, 1, 0));
    EXPECT_EQ(Of(ledger.summary(2026).total), Figures(2500, 0, 2, 0, 0, 2));

    outcome = ledger.record(LedgerBets(
        {Bet({}, u"東京"_qs, 11, u"馬連"_qs, u"3-7"_qs, 1000, u"未確定"_qs, 0),
         Bet(u"2026/11/01"_qs, u"東京"_qs, 11, u"馬連"_qs, u"3-8"_qs, 1000, u"払戻不明"_qs, 0),
         Bet({}, u"阪神"_qs, 3, u"単勝"_qs, u"4"_qs, 100, u"未確定"_qs, 0),
         Bet(u"2026/11/02"_qs, u"東京"_qs, 1, u"単勝"_qs, u"4"_qs, 100, u"不的中"_qs, 0)}));
    EXPECT_TRUE(outcome.ok);
    EXPECT_EQ(std::tuple(outcome.recorded, outcome.pending, outcome.unknown), std::tuple(1, 2, 1));
    EXPECT_EQ(Of(ledger.summary(2026).total), Figures(2600, 0, 3, 0, 0, 3));
    const auto apart = [&](int year) {
        QStringList rows;
        for (const BetLine& bet : ledger.unrecorded(year)) rows << UnrecordedCells(bet).join(u'|');
        return rows;
    };
    EXPECT_EQ(apart(2026), QStringList({u"2026/11/01|東京11R|馬連|3-8|1,000円|払戻不明"_qs}));

    ASSERT_TRUE(ledger
                    .record(LedgerBets({Bet(u"2027/01/05"_qs, u"中山"_qs, 1, u"単勝"_qs, u"2"_qs,
                                            300, u"未確定"_qs, 0)}))
                    .ok);
    EXPECT_EQ(ledger.years(), (std::vector{2027, 2026}));
    EXPECT_EQ(apart(2027), QStringList({u"2027/01/05|中山1R|単勝|2|300円|未確定"_qs}));
    ASSERT_TRUE(ledger.deleteRace(Tokyo11));
    EXPECT_TRUE(apart(2026).isEmpty());
}

// A ledger of a newer version is opened read-only and left as it is.
TEST_F(LedgerTest, NewerVersionIsOpenedReadOnly) {
    ASSERT_TRUE(recorded(November()));
    Exec(LedgerPath(), u"PRAGMA user_version = 7"_qs);
    const QByteArray before = dir.read(u"data/ledger.sqlite"_qs);
    Ledger newer;
    ASSERT_TRUE(newer.open());
    EXPECT_TRUE(newer.readOnly());
    EXPECT_TRUE(newer.notice().contains(u"読み取り専用"_qs)) << newer.notice().toStdString();
    EXPECT_FALSE(newer.deleteRace(Tokyo11));
    EXPECT_EQ(dir.read(u"data/ledger.sqlite"_qs), before);
}

TEST_F(LedgerTest, BrokenFileIsLeftUntouched) {
    ASSERT_TRUE(recorded(Join(November(), December())));
    const QString path = LedgerPath();
    const QByteArray good = dir.read(u"data/ledger.sqlite"_qs);
    ASSERT_GT(good.size(), 4096);
    CopyV3();
    Exec(path, u"UPDATE bets SET place = '場外' WHERE id = 5"_qs);  // a place without a code
    const QByteArray unconvertible = dir.read(u"data/ledger.sqlite"_qs);
    const struct {
        QByteArray bytes;
        QString reason;
    } cases[] = {
        {"memo text, not a database\r\n", u"データベースではありません"_qs},
        {good.left(good.size() / 2 + 100), u"切れています"_qs},  // cut inside a page
        {good.left(good.size() - 4096), u"切れています"_qs},     // a whole page short
        // An upgrade that cannot convert every text is not half done.
        {unconvertible, u"壊れています"_qs},
    };
    for (const auto& c : cases) {
        ASSERT_TRUE(dir.write(u"data/ledger.sqlite"_qs, c.bytes));
        Ledger ledger;
        EXPECT_FALSE(ledger.open());
        EXPECT_TRUE(ledger.error().contains(path)) << ledger.error().toStdString();
        EXPECT_TRUE(ledger.error().contains(c.reason)) << ledger.error().toStdString();
        EXPECT_FALSE(ledger.record(LedgerBets(December())).ok);
        EXPECT_EQ(dir.read(u"data/ledger.sqlite"_qs), c.bytes);
    }
}

// A 36-race day of 2027, 288 bets of `stake` that missed.
std::vector<BetLine> Day(int day, qint64 stake = 100) {
    std::vector<BetLine> rows;
    const QString date = u"2027/01/%1"_qs.arg(day, 2, 10, QLatin1Char('0'));
    for (int k = 0; k < 36 * 8; ++k) {
        rows.push_back(Bet(date, RacecourseName(k / 8 / 12 + 1), k / 8 % 12 + 1, u"馬連"_qs,
                           u"1-%1"_qs.arg(k % 8 + 2), stake, u"不的中"_qs, 0));
    }
    return rows;
}

TEST_F(LedgerTest, FailedRecordingLeavesTheLedgerAsItWas) {
    ASSERT_TRUE(recorded(November()));
    const std::vector<BetLine> many = Join(Day(1), Day(2), Day(3));
    const struct {
        const char* setup;  // on the recording connection
        bool lockedByOther;
        QString reason;
    } cases[] = {
        {"PRAGMA max_page_count = 3", false, u"ディスクの空きが足りません"_qs},
        {"PRAGMA busy_timeout = 100", true, u"使用中"_qs},
    };
    for (const auto& c : cases) {
        Ledger ledger, other;
        ASSERT_TRUE(ledger.open() && other.open());
        QSqlQuery(ledger.connection()).exec(QString::fromLatin1(c.setup));
        if (c.lockedByOther) QSqlQuery(other.connection()).exec(u"BEGIN EXCLUSIVE"_qs);
        const RecordOutcome outcome = ledger.record(LedgerBets(many));
        EXPECT_FALSE(outcome.ok);
        EXPECT_TRUE(outcome.error.contains(c.reason)) << outcome.error.toStdString();
        EXPECT_TRUE(outcome.error.contains(LedgerPath()));
        if (c.lockedByOther) QSqlQuery(other.connection()).exec(u"ROLLBACK"_qs);
        EXPECT_EQ(Of(ledger.summary(AllYears).total), Figures(2500, 5400, 3, 1, 0, 2));
    }
}

// The test program run again as a second ZEM: ZEM_LEDGER_CHILD says what it does.
// "<path> <first day> <times>": records a 36-race day and a race shared by every
// child, again and again. "<path> churn": records two large versions of the
// same races in turn, forever, printing "recording" before each; the parent kills it.
TEST(LedgerChild, Run) {
    const QStringList args = qEnvironmentVariable("ZEM_LEDGER_CHILD").split(u' ');
    if (args.size() < 2) GTEST_SKIP() << "runs only as a child of the tests below";
    SetLedgerPath(args[0]);
    Ledger ledger;
    ASSERT_TRUE(ledger.open()) << ledger.error().toStdString();
    if (args[1] == u"churn"_qs) {
        std::vector<BetLine> big[2];
        for (int day = 1; day <= 12; ++day)
            for (int v = 0; v < 2; ++v) big[v] = Join(big[v], Day(day, 100 * (v + 1)));
        for (int k = 0;; ++k) {
            printf("recording\n");
            fflush(stdout);
            ASSERT_TRUE(ledger.record(LedgerBets(big[k % 2])).ok);
        }
    }
    const std::vector<BetLine> shared{
        Bet(u"2027/02/01"_qs, u"東京"_qs, 11, u"単勝"_qs, u"1"_qs, 100, u"的中"_qs, 250)};
    for (int k = 0; k < args[2].toInt(); ++k) {
        const RecordOutcome outcome =
            ledger.record(LedgerBets(Join(Day(args[1].toInt() + k % 2), shared)));
        ASSERT_TRUE(outcome.ok) << outcome.error.toStdString();
        ledger.summary(2027);
        ASSERT_EQ(ledger.error(), QString());
    }
}

void StartChild(QProcess& child, const QString& args) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(u"ZEM_LEDGER_CHILD"_qs, args);
    child.setProcessEnvironment(env);
    child.start(QCoreApplication::applicationFilePath(), {u"--gtest_filter=LedgerChild.Run"_qs});
}

TEST_F(LedgerTest, TwoProgramsRecordingAtOnceLoseNothing) {
    QProcess a, b;
    StartChild(a, LedgerPath() + u" 1 15"_qs);
    StartChild(b, LedgerPath() + u" 11 15"_qs);
    // This program reads meanwhile.
    Ledger reader;
    ASSERT_TRUE(reader.open());
    while (a.state() != QProcess::NotRunning || b.state() != QProcess::NotRunning) {
        reader.summary(AllYears);
        EXPECT_EQ(reader.error(), QString());
        a.waitForFinished(20);
        b.waitForFinished(20);
    }
    EXPECT_EQ(a.exitCode(), 0) << a.readAllStandardOutput().toStdString();
    EXPECT_EQ(b.exitCode(), 0) << b.readAllStandardOutput().toStdString();
    // Days 1, 2, 11 and 12, 288 bets each, and the shared race once.
    EXPECT_EQ(Of(reader.summary(2027).total),
              Figures(4 * 288 * 100 + 100, 250, 4 * 288 + 1, 1, 0, 4 * 36 + 1));
}

// Killed in the middle of recording, the ledger holds the old figures or the new, never a mix.
TEST_F(LedgerTest, KilledWhileRecordingLeavesOldOrNewFigures) {
    for (int round = 0; round < 4; ++round) {
        QProcess child;
        StartChild(child, LedgerPath() + u" churn"_qs);
        QByteArray out;
        while (out.count("recording") < 2 + round && child.waitForReadyRead(10000))
            out += child.readAllStandardOutput();
        QThread::msleep(7 * round);
        child.kill();
        child.waitForFinished();
        Ledger ledger;
        ASSERT_TRUE(ledger.open()) << ledger.error().toStdString();
        const qint64 stake = ledger.summary(2027).total.stake;
        EXPECT_TRUE(stake == 12 * 288 * 100 || stake == 12 * 288 * 200) << stake;
        qint64 betsStake = 0;  // the bets and their figures agree
        for (const BetLine& bet : ledger.bets(2027)) betsStake += bet.stake;
        EXPECT_EQ(betsStake, stake);
        QSqlQuery check(ledger.connection());
        ASSERT_TRUE(check.exec(u"PRAGMA integrity_check"_qs) && check.next());
        EXPECT_EQ(check.value(0).toString(), u"ok"_qs);
    }
}

// Every figure the ledger shows, a line each, in the form of
// data/ledger-v3-figures.txt.
QString FiguresText(Ledger& ledger) {
    QString text;
    const auto add = [&](int year, const QString& what, const LedgerFigures& f) {
        text += QString::asprintf("%d %s %lld %lld %d %d %d %d\n", year, qPrintable(what), f.stake,
                                  f.payout, f.bets, f.hits, f.refunds, f.races);
    };
    std::vector<int> periods = ledger.years();
    periods.push_back(AllYears);
    for (int year : periods) {
        const LedgerSummary summary = ledger.summary(year);
        for (const auto& l : summary.lines) add(year, u"month "_qs + l.label, l.figures);
        add(year, u"total"_qs, summary.total);
        for (const auto& l : ledger.byType(year)) add(year, u"type "_qs + l.label, l.figures);
        for (const auto& l : ledger.byPlace(year)) add(year, u"place "_qs + l.label, l.figures);
    }
    return text;
}

// After the upgrade of a version-3 file the figures that program showed come
// back, line for line.
TEST_F(LedgerTest, VersionThreeFileKeepsItsFiguresAfterTheUpgrade) {
    CopyV3();
    QFile expected(V3Data + u"ledger-v3-figures.txt"_qs);
    ASSERT_TRUE(expected.open(QIODevice::ReadOnly));
    Ledger ledger;
    ASSERT_TRUE(ledger.open()) << ledger.error().toStdString();
    QSqlQuery check(ledger.connection());
    ASSERT_TRUE(check.exec(u"PRAGMA user_version"_qs) && check.next());
    EXPECT_EQ(check.value(0).toInt(), 5);
    // The bets kept apart unrecorded: a table of their own, empty.
    ASSERT_TRUE(check.exec(u"SELECT COUNT(*) FROM unrecorded"_qs) && check.next());
    EXPECT_EQ(check.value(0).toInt(), 0);
    EXPECT_EQ(FiguresText(ledger), QString::fromUtf8(expected.readAll()));
    // The bets come back with their texts.
    const std::vector<BetLine> bets = ledger.bets(2024);
    ASSERT_FALSE(bets.empty());
    EXPECT_EQ(bets[0].place + bets[0].betType + bets[0].outcome, u"札幌馬連不的中"_qs);
}

}  // namespace
