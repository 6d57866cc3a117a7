#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>
#include <QSqlQuery>
#include <QTest>

#include "TrendFiles.h"
#include "common/Clock.h"
#include "racedata/AppState.h"
#include "racedata/Lookups.h"
#include "racedata/OddsHistory.h"
#include "racedata/OddsWatcher.h"
#include "support/Fixtures.h"
#include "trend/TrendTable.h"

namespace {

const QDateTime T1420 = QDateTime(QDate(2026, 12, 6), QTime(14, 20));
const Race Tokyo10{QDate(2026, 12, 6), 5, 10}, Tokyo11{QDate(2026, 12, 6), 5, 11},
    Tokyo12{QDate(2026, 12, 6), 5, 12};
const QByteArray Uo18 = UoBytes(u"20261206"_qs, 18);

// The odds of pair 3-7 in each snapshot of the race, oldest first.
QStringList OddsOf37(OddsHistory& history, const Race& race = Tokyo11) {
    QStringList odds;
    for (const OddsSnapshot& s : history.snapshots(race, OddsFile::Uo))
        for (const OddsEntry& e : OddsEntries(s.file, s.raw, BetType::Quinella))
            if (e.key == u"3-7") odds << e.text;
    return odds;
}

class OddsHistoryTest : public ::testing::Test {
protected:
    OddsHistoryTest() {
        SetClock([] { return T1420.addSecs(3600); });
        EXPECT_TRUE(history.open(dir.file(u"store/odds-history.sqlite"_qs)));
    }
    ~OddsHistoryTest() override { SetClock({}); }

    SnapshotOutcome record(OddsHistory& into, const QByteArray& bytes, const QDateTime& modified,
                           const QString& name = u"uo-58b.jra"_qs) {
        EXPECT_TRUE(WriteAt(dir.file(name), bytes, modified));
        return into.record(dir.file(name));
    }

    TempDir dir;
    OddsHistory history;
};

// The same content written again later, or recorded through a second
// connection to the same file, is kept once with its first time. Another date
// is another race; snapshots older than a year go on opening.
TEST_F(OddsHistoryTest, SameContentIsStoredOnceAndDatesSeparateRaces) {
    EXPECT_TRUE(record(history, Uo18, T1420).added);
    const SnapshotOutcome again = record(history, Uo18, T1420.addSecs(600));
    EXPECT_TRUE(again.stored && !again.added);
    const auto all = history.snapshots(Tokyo11, OddsFile::Uo);
    ASSERT_EQ(all.size(), 1u);
    EXPECT_EQ(all[0].modified, T1420);
    EXPECT_EQ(all[0].raw, Uo18);

    OddsHistory other;
    ASSERT_TRUE(other.open(history.path()));
    EXPECT_TRUE(record(other, ZoBytes(u"20261206"_qs, 12), T1420, u"zo-58b.jra"_qs).added);
    const SnapshotOutcome mine = history.record(dir.file(u"zo-58b.jra"_qs));
    EXPECT_TRUE(mine.stored && !mine.added);
    EXPECT_EQ(history.snapshots(Tokyo11, OddsFile::Zo).size(), 1u);

    record(history, UoBytes(u"20251110"_qs, 18), T1420.addDays(-400));
    record(history, UoBytes(u"20261213"_qs, 18, {{u"3-7"_qs, u"12.0"_qs}}), T1420.addDays(7));
    EXPECT_EQ(OddsOf37(history), QStringList{u"50.0"_qs});  // Uo18's alone
    EXPECT_EQ(OddsOf37(history, {QDate(2026, 12, 13), 5, 11}), QStringList{u"12.0"_qs});
    EXPECT_EQ(history.latestDate(5, 11), QDate(2026, 12, 13));
    EXPECT_EQ(history.latestDate(5, 12), QDate());
    EXPECT_TRUE(SharpestFalls(history, {QDate(2026, 12, 13), 5, 11}, BetType::Quinella).empty());
    OddsHistory reopened;
    ASSERT_TRUE(reopened.open(history.path()));
    EXPECT_TRUE(reopened.snapshots({QDate(2025, 11, 10), 5, 11}, OddsFile::Uo).empty());
    EXPECT_EQ(reopened.snapshots(Tokyo11, OddsFile::Uo).size(), 1u);
}

TEST_F(OddsHistoryTest, DownloadsAreOrderedByWhenTheFileWasWrittenWhateverTheArrival) {
    const QStringList odds{u"31.5"_qs, u"25.2"_qs, u"12.0"_qs};
    const QDateTime times[] = {T1420, T1420.addSecs(300), T1420.addSecs(900)};
    for (const auto& order : std::vector<std::vector<int>>{{0, 1, 2}, {2, 0, 1}, {1, 2, 0}}) {
        SCOPED_TRACE(order[0]);
        OddsHistory fresh;
        ASSERT_TRUE(fresh.open(dir.file(QStringLiteral("order%1.sqlite").arg(order[0]))));
        for (int i : order)
            ASSERT_TRUE(
                record(fresh, UoBytes(u"20261206"_qs, 18, {{u"3-7"_qs, odds[i]}}), times[i]).added);
        ASSERT_EQ(OddsOf37(fresh), odds);
        const auto all = fresh.snapshots(Tokyo11, OddsFile::Uo);
        EXPECT_TRUE(fresh.previous(all[2])->modified == times[1] && !fresh.previous(all[0]));
        EXPECT_TRUE(fresh.latest(Tokyo11, OddsFile::Uo, times[1])->modified == times[2] &&
                    !fresh.latest(Tokyo11, OddsFile::Uo, times[2]));
        // 25.2 -> 12.0 between the last two; 31.5 -> 25.2 is the first step only.
        const auto falls = SharpestFalls(fresh, Tokyo11, BetType::Quinella);
        ASSERT_EQ(falls.size(), 1u);
        EXPECT_EQ(FallText(falls[0]), u"急落 3-7 25.2→12.0 (−52%) 14:25→14:35"_qs);
    }
}

TEST_F(OddsHistoryTest, ShortUnreadableAndForeignFilesAreNeverStored) {
    QDir(dir.path()).mkdir(u"uo-58c.jra"_qs);  // a directory cannot be read as a file
    const std::pair<const char16_t*, QByteArray> cases[] = {
        {u"uo-58b.jra", Uo18.left(UoLayout::Length - 1)},
        {u"zo-58b.jra", QByteArray("")},               // empty, not null: written
        {u"uo-58b.jra", UoBytes(u"2026ab06"_qs, 18)},  // no date
        {u"uo-58b.jra", UoBytes(u"20261341"_qs, 18)},  // no calendar date
        {u"ks-50858b.jra", Uo18},
        {u"uo-58x.jra", Uo18},  // no race character
        {u"uo-58c.jra", {}},    // the directory
        {u"uo-58a.jra", {}},    // missing
    };
    for (const auto& [name, bytes] : cases) {
        const QString file = dir.file(QString::fromUtf16(name));
        SCOPED_TRACE(file.toStdString() + " " + std::to_string(bytes.size()));
        ASSERT_TRUE(bytes.isNull() || WriteAt(file, bytes, T1420));
        const SnapshotOutcome outcome = history.record(file);
        EXPECT_FALSE(outcome.stored);
        EXPECT_FALSE(outcome.error.isEmpty());
        EXPECT_TRUE(!bytes.isNull() || outcome.error == u"ファイルを読めません"_qs);
    }
    QSqlQuery count(history.connection());
    ASSERT_TRUE(count.exec(u"SELECT COUNT(*) FROM snapshots"_qs) && count.next());
    EXPECT_EQ(count.value(0).toInt(), 0);
}

TEST(TrendRule, TwentyPercentAtItsEdgeAndNoneAtTheCap) {
    using B = BetType;
    using M = OddsMove;
    // Odds at the record's cap are "at least": no move, no change from or to them.
    const std::tuple<const char16_t*, const char16_t*, BetType, OddsMove, const char16_t*> cases[] =
        {
            {u"31.5", u"25.2", B::Quinella, M::Fall, u"−20%"},  // exactly -20 %
            {u"31.5", u"25.3", B::Quinella, M::None, u"−20%"},
            {u"10.0", u"12.0", B::Win, M::Rise, u"+20%"},  // exactly +20 %
            {u"10.0", u"11.9", B::Win, M::None, u"+19%"},
            {u" 2.5", u"2.5", B::Win, M::None, u"0%"},
            {u"1.5-2.0", u"1.2-1.6", B::Place, M::Fall, u"−20%"},  // 複勝 by its lower bound
            {u"ﾄﾘｹｼ", u"5.0", B::Quinella, M::None, nullptr},
            {u"5.0", u"取消", B::Win, M::None, nullptr},
            {u"", u"5.0", B::Win, M::None, nullptr},
            {u"7710.3", u"9999.9", B::Quinella, M::None, nullptr},
            {u"9999.9", u"4000.0", B::Quinella, M::None, nullptr},
            {u"500.0", u"999.9", B::Quinella, M::Rise, u"+100%"},  // no cap for 馬連
            {u"500.0", u"999.9", B::Win, M::None, nullptr},
            {u"999.9", u"999.9", B::BracketQuinella, M::None, nullptr},
            {u"999.9-999.9", u"80.0-120.0", B::Place, M::None, nullptr},
            {u"500.0", u"800.0", B::Win, M::Rise, u"+60%"},
        };
    for (const auto& [was, is, kind, move, percent] : cases) {
        const QString before = QString::fromUtf16(was), after = QString::fromUtf16(is);
        SCOPED_TRACE(before.toStdString() + " " + after.toStdString());
        EXPECT_EQ(MoveBetween(before, after, kind), move);
        const auto change = ChangePercent(before, after, kind);
        EXPECT_EQ(change ? ChangeText(*change) : QString(), QString::fromUtf16(percent));
    }
    EXPECT_EQ(OddsShown(u"999.9"_qs, BetType::Win), u"999.9以上"_qs);
    EXPECT_EQ(OddsShown(u"999.9"_qs, BetType::Quinella), u"999.9"_qs);
    EXPECT_EQ(OddsShown(u"9999.9"_qs, BetType::Quinella), u"9999.9以上"_qs);
}

TEST_F(OddsHistoryTest, BrokenOrNewerStoreIsLeftUntouched) {
    const QString path = dir.file(u"other.sqlite"_qs);
    {
        OddsHistory made;
        ASSERT_TRUE(made.open(path));
        QSqlQuery(made.connection()).exec(u"PRAGMA user_version = 99"_qs);
    }
    const QByteArray sqlite = dir.read(u"other.sqlite"_qs);
    const std::pair<QByteArray, bool> cases[] = {
        {"これはデータベースではありません", false},
        {sqlite.left(sqlite.size() - 100), false},  // cut short
        {sqlite, true},                             // a newer version: read-only
    };
    for (const auto& [bytes, opens] : cases) {
        SCOPED_TRACE(bytes.size());
        ASSERT_TRUE(WriteAt(path, bytes, {}));
        OddsHistory store;
        EXPECT_EQ(store.open(path), opens);
        EXPECT_TRUE(
            (opens ? store.notice() : store.error()).contains(QDir::toNativeSeparators(path)));
        EXPECT_FALSE(record(store, Uo18, T1420).stored);
        EXPECT_EQ(dir.read(u"other.sqlite"_qs), bytes);
    }
}

class OddsWatcherTest : public ::testing::Test {
protected:
    OddsWatcherTest() {
        SetOddsHistoryPath(store.file(u"odds-history.sqlite"_qs));
        QObject::connect(&watcher, &OddsWatcher::snapshotsAdded,
                         [this](const QList<Race>& races) { signalled << races; });
    }
    ~OddsWatcherTest() override { SetOddsHistoryPath({}); }

    void put(const QString& name, const QByteArray& bytes, const QDateTime& at = {}) {
        ASSERT_TRUE(WriteAt(data.file(name), bytes, at));
    }
    // Waits for the next signal and returns the races it named.
    QList<Race> nextSignal() {
        signalled.clear();
        if (!QTest::qWaitFor([this] { return !signalled.isEmpty(); }, 5000)) return {};
        return signalled;
    }
    int snapshotsOf(const Race& race, OddsFile file) {
        return static_cast<int>(SharedOddsHistory().snapshots(race, file).size());
    }

    TempDir store, data;
    OddsWatcher watcher;
    QList<Race> signalled;
};

TEST_F(OddsWatcherTest, FilesThatAppearAreReplacedOrRewrittenInPlaceAreRecorded) {
    put(u"uo-58b.jra"_qs, Uo18);
    watcher.watch(data.path());
    EXPECT_EQ(nextSignal(), QList{Tokyo11});  // what is there already

    // A download cut short: skipped.
    signalled.clear();
    put(u"uo-58a.jra"_qs, Uo18.left(900));
    QTest::qWait(OddsWatcher::DelayMs * 4);
    EXPECT_TRUE(signalled.isEmpty());

    // The watch goes on: a new file, then the short one completed.
    put(u"zo-58c.jra"_qs, ZoBytes(u"20261206"_qs, 16));
    EXPECT_EQ(nextSignal(), QList{Tokyo12});
    put(u"uo-58a.jra"_qs, Uo18);
    EXPECT_EQ(nextSignal(), QList{Tokyo10});

    // Replaced by renaming a new download over it.
    put(u"new.tmp"_qs, UoBytes(u"20261206"_qs, 18, {{u"3-7"_qs, u"12.0"_qs}}));
    ASSERT_TRUE(QFile::remove(data.file(u"uo-58b.jra"_qs)));
    ASSERT_TRUE(QFile::rename(data.file(u"new.tmp"_qs), data.file(u"uo-58b.jra"_qs)));
    EXPECT_EQ(nextSignal(), QList{Tokyo11});

    // Rewritten in place, as PAT95 does: no entry of the directory changes.
    {
        QFile file(data.file(u"uo-58b.jra"_qs));
        ASSERT_TRUE(file.open(QIODevice::ReadWrite));
        ASSERT_TRUE(file.write(UoBytes(u"20261206"_qs, 18, {{u"3-7"_qs, u"8.0"_qs}})) > 0);
    }
    EXPECT_EQ(nextSignal(), QList{Tokyo11});
    EXPECT_EQ(snapshotsOf(Tokyo11, OddsFile::Uo), 3);
}

TEST_F(OddsWatcherTest, TheOddsFilesTheLookupsReadAreRecorded) {
    put(u"uo-58b.jra"_qs, Uo18);
    put(u"zo-58b.jra"_qs, ZoBytes(u"20261206"_qs, 18));
    AppState state;
    state.DataDir = data.path();
    const Race race{{}, 5, 11};
    SetOddsFileRead([this](const QString& path) { watcher.record(path); });
    ASSERT_TRUE(LoadDistributionOdds(state, race, BetType::Quinella));
    EXPECT_EQ(signalled, QList{Tokyo11});
    ASSERT_TRUE(LoadRecommendation(state, race));
    EXPECT_EQ(snapshotsOf(Tokyo11, OddsFile::Zo), 1);
    // Rewritten in place with its modification time put back: still a new download.
    const QDateTime modified = QFileInfo(data.file(u"uo-58b.jra"_qs)).lastModified();
    QTest::qWait(5);
    put(u"uo-58b.jra"_qs, UoBytes(u"20261206"_qs, 18, {{u"3-7"_qs, u"12.0"_qs}}), modified);
    ASSERT_EQ(QFileInfo(data.file(u"uo-58b.jra"_qs)).lastModified(), modified);
    ASSERT_TRUE(LoadDistributionOdds(state, race, BetType::Quinella));
    ASSERT_TRUE(LoadDistributionOdds(state, race, BetType::Quinella));
    EXPECT_EQ(snapshotsOf(Tokyo11, OddsFile::Uo), 2);
    SetOddsFileRead({});
}

}  // namespace
