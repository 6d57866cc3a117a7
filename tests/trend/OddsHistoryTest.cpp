#include <gtest/gtest.h>

#include <QDir>
#include <QSqlQuery>

#include "TrendFiles.h"
#include "common/Clock.h"
#include "support/Fixtures.h"
#include "trend/OddsHistory.h"
#include "trend/TrendTable.h"

namespace {

const QDateTime T1420 = QDateTime(QDate(2026, 12, 6), QTime(14, 20));

QString OddsOf(const OddsSnapshot& snapshot, TrendKind kind, const QString& key) {
    for (const OddsEntry& e : OddsEntries(snapshot.file, snapshot.raw, kind))
        if (e.key == key) return e.text;
    return {};
}

class OddsHistoryTest : public ::testing::Test {
protected:
    OddsHistoryTest() {
        SetClock([] { return T1420.addSecs(3600); });
        EXPECT_TRUE(history.open(dir.file(u"store/odds-history.sqlite"_qs)))
            << history.error().toStdString();
    }
    ~OddsHistoryTest() override { SetClock({}); }

    SnapshotOutcome recordUo(const QByteArray& bytes, const QDateTime& modified,
                             const QString& name = u"uo-58b.jra"_qs) {
        EXPECT_TRUE(WriteAt(dir.file(name), bytes, modified));
        return history.record(dir.file(name));
    }

    // The odds of pair 3-7 in each snapshot of Tokyo 11R, oldest first.
    QStringList oddsOf37(int date = 20261206) {
        QStringList odds;
        for (const OddsSnapshot& s : history.snapshots({date, 5, 11}, OddsFile::Uo))
            odds << OddsOf(s, TrendKind::Quinella, u"3-7"_qs);
        return odds;
    }

    TempDir dir;
    OddsHistory history;
};

TEST_F(OddsHistoryTest, SameContentSeenTwiceIsStoredOnce) {
    const QByteArray bytes = UoBytes(u"20261206"_qs, 18);
    const SnapshotOutcome first = recordUo(bytes, T1420);
    EXPECT_TRUE(first.stored && first.added) << first.error.toStdString();
    EXPECT_EQ(first.race, (TrendRace{20261206, 5, 11}));
    // Written again later with the same odds: already there.
    const SnapshotOutcome again = recordUo(bytes, T1420.addSecs(600));
    EXPECT_TRUE(again.stored);
    EXPECT_FALSE(again.added);
    const auto all = history.snapshots({20261206, 5, 11}, OddsFile::Uo);
    ASSERT_EQ(all.size(), 1u);
    EXPECT_EQ(all[0].modified, T1420);
    EXPECT_EQ(all[0].raw, bytes);
}

TEST_F(OddsHistoryTest, DownloadsAreOrderedByWhenTheFileWasWrittenWhateverTheArrival) {
    const QStringList odds{u"31.5"_qs, u"25.2"_qs, u"12.0"_qs};
    const QDateTime times[] = {T1420, T1420.addSecs(300), T1420.addSecs(900)};
    const std::vector<std::vector<int>> arrivals{{0, 1, 2}, {2, 0, 1}, {1, 2, 0}};
    for (const auto& order : arrivals) {
        OddsHistory fresh;
        ASSERT_TRUE(fresh.open(dir.file(QStringLiteral("order%1.sqlite").arg(order[0]))));
        for (int i : order) {
            WriteAt(dir.file(u"uo-58b.jra"_qs), UoBytes(u"20261206"_qs, 18, {{u"3-7"_qs, odds[i]}}),
                    times[i]);
            ASSERT_TRUE(fresh.record(dir.file(u"uo-58b.jra"_qs)).added);
        }
        const TrendRace race{20261206, 5, 11};
        const auto all = fresh.snapshots(race, OddsFile::Uo);
        ASSERT_EQ(all.size(), 3u);
        QStringList seen;
        for (const auto& s : all) seen << OddsOf(s, TrendKind::Quinella, u"3-7"_qs);
        EXPECT_EQ(seen, odds) << "arrival " << order[0] << order[1] << order[2];
        EXPECT_EQ(fresh.previous(all[2])->modified, times[1]);
        EXPECT_FALSE(fresh.previous(all[0]));
        EXPECT_EQ(fresh.latest(race, OddsFile::Uo, times[1])->modified, times[2]);
        EXPECT_FALSE(fresh.latest(race, OddsFile::Uo, times[2]));
        // 25.2 -> 12.0 between the last two; 31.5 -> 25.2 is the first step only.
        const auto falls = fresh.sharpestFalls(race, TrendKind::Quinella);
        ASSERT_EQ(falls.size(), 1u);
        EXPECT_EQ(FallText(falls[0]), u"急落 3-7 25.2→12.0 (−52%) 14:25→14:35"_qs);
    }
}

TEST_F(OddsHistoryTest, ShortUnreadableAndForeignFilesAreNeverStored) {
    QDir(dir.path()).mkdir(u"uo-58c.jra"_qs);  // a directory cannot be read as a file
    const struct {
        const char16_t* name;
        QByteArray bytes;
    } cases[] = {
        {u"uo-58b.jra", UoBytes(u"20261206"_qs, 18).left(UoLayout::Length - 1)},
        {u"zo-58b.jra", ZoBytes(u"20261206"_qs, 18).left(ZoLayout::Length - 1)},
        {u"zo-58b.jra", QByteArray()},
        {u"uo-58b.jra", UoBytes(u"2026ab06"_qs, 18)},  // no date
        {u"uo-58b.jra", UoBytes(u"20261341"_qs, 18)},  // no calendar date
        {u"ks-50858b.jra", UoBytes(u"20261206"_qs, 18)},
        {u"uo-58x.jra", UoBytes(u"20261206"_qs, 18)},  // no race character
    };
    for (const auto& c : cases) {
        const QString name = QString::fromUtf16(c.name);
        ASSERT_TRUE(WriteAt(dir.file(name), c.bytes, T1420));
        const SnapshotOutcome outcome = history.record(dir.file(name));
        EXPECT_FALSE(outcome.stored) << name.toStdString() << " " << c.bytes.size();
        EXPECT_FALSE(outcome.error.isEmpty());
    }
    for (const char16_t* name : {u"uo-58c.jra", u"uo-58a.jra"}) {  // a directory; missing
        const SnapshotOutcome outcome = history.record(dir.file(QString::fromUtf16(name)));
        EXPECT_FALSE(outcome.stored);
        EXPECT_EQ(outcome.error, u"ファイルを読めません"_qs);
    }
    QSqlQuery count(history.connection());
    ASSERT_TRUE(count.exec(u"SELECT COUNT(*) FROM snapshots"_qs) && count.next());
    EXPECT_EQ(count.value(0).toInt(), 0);
}

TEST_F(OddsHistoryTest, ARecordOfAnotherDateIsAnotherRace) {
    recordUo(UoBytes(u"20261206"_qs, 18, {{u"3-7"_qs, u"31.5"_qs}}), T1420);
    recordUo(UoBytes(u"20261213"_qs, 18, {{u"3-7"_qs, u"12.0"_qs}}), T1420.addDays(7));
    EXPECT_EQ(oddsOf37(20261206), QStringList{u"31.5"_qs});
    EXPECT_EQ(oddsOf37(20261213), QStringList{u"12.0"_qs});
    EXPECT_EQ(history.latestDate(5, 11), 20261213);
    EXPECT_EQ(history.latestDate(5, 12), 0);
    EXPECT_TRUE(history.sharpestFalls({20261213, 5, 11}, TrendKind::Quinella).empty());
}

TEST(TrendRule, TwentyPercentAtItsEdge) {
    const struct {
        const char16_t *before, *after;
        OddsMove move;
        const char16_t* percent;
    } cases[] = {
        {u"31.5", u"25.2", OddsMove::Fall, u"−20%"},  // exactly -20 %
        {u"31.5", u"25.3", OddsMove::None, u"−20%"},
        {u"10.0", u"12.0", OddsMove::Rise, u"+20%"},  // exactly +20 %
        {u"10.0", u"11.9", OddsMove::None, u"+19%"},
        {u"31.5", u"12.0", OddsMove::Fall, u"−62%"},
        {u" 2.5", u"2.5", OddsMove::None, u"0%"},
        {u"1.5-2.0", u"1.2-1.6", OddsMove::Fall, u"−20%"},  // 複勝 by its lower bound
        {u"ﾄﾘｹｼ", u"5.0", OddsMove::None, nullptr},
        {u"5.0", u"取消", OddsMove::None, nullptr},
        {u"", u"5.0", OddsMove::None, nullptr},
    };
    for (const auto& c : cases) {
        const QString before = QString::fromUtf16(c.before), after = QString::fromUtf16(c.after);
        EXPECT_EQ(MoveBetween(before, after), c.move)
            << before.toStdString() << after.toStdString();
        const auto change = ChangePercent(before, after);
        EXPECT_EQ(change ? ChangeText(*change) : QString(),
                  c.percent ? QString::fromUtf16(c.percent) : QString());
    }
}

TEST_F(OddsHistoryTest, SnapshotsOlderThanAYearArePrunedOnOpening) {
    recordUo(UoBytes(u"20251110"_qs, 18), T1420.addDays(-400));
    recordUo(UoBytes(u"20261206"_qs, 18), T1420);
    OddsHistory reopened;
    ASSERT_TRUE(reopened.open(history.path()));
    EXPECT_TRUE(reopened.snapshots({20251110, 5, 11}, OddsFile::Uo).empty());
    EXPECT_EQ(reopened.snapshots({20261206, 5, 11}, OddsFile::Uo).size(), 1u);
}

TEST_F(OddsHistoryTest, BrokenOrNewerStoreIsLeftUntouched) {
    const QString path = dir.file(u"other.sqlite"_qs);
    {
        OddsHistory made;
        ASSERT_TRUE(made.open(path));
        QSqlQuery(made.connection()).exec(u"PRAGMA user_version = 99"_qs);
    }
    QFile made(path);
    ASSERT_TRUE(made.open(QIODevice::ReadOnly));
    const QByteArray sqlite = made.readAll();
    made.close();
    const struct {
        const char* what;
        QByteArray bytes;
        bool opens;
    } cases[] = {
        {"not a database", "これはデータベースではありません", false},
        {"cut short", sqlite.left(sqlite.size() - 100), false},
        {"newer version", sqlite, true},
    };
    for (const auto& c : cases) {
        ASSERT_TRUE(WriteAt(path, c.bytes, {}));
        OddsHistory store;
        EXPECT_EQ(store.open(path), c.opens) << c.what;
        const QString said = c.opens ? store.notice() : store.error();
        EXPECT_TRUE(said.contains(QDir::toNativeSeparators(path))) << said.toStdString();
        WriteAt(dir.file(u"uo-58b.jra"_qs), UoBytes(u"20261206"_qs, 18), T1420);
        EXPECT_FALSE(store.record(dir.file(u"uo-58b.jra"_qs)).stored) << c.what;
        QFile after(path);
        ASSERT_TRUE(after.open(QIODevice::ReadOnly));
        EXPECT_EQ(after.readAll(), c.bytes) << c.what;
    }
}

TEST_F(OddsHistoryTest, TwoConnectionsRecordingTheSameDownloadStoreItOnce) {
    OddsHistory other;
    ASSERT_TRUE(other.open(history.path()));
    WriteAt(dir.file(u"zo-58b.jra"_qs), ZoBytes(u"20261206"_qs, 12), T1420);
    EXPECT_TRUE(other.record(dir.file(u"zo-58b.jra"_qs)).added);
    const SnapshotOutcome mine = history.record(dir.file(u"zo-58b.jra"_qs));
    EXPECT_TRUE(mine.stored);
    EXPECT_FALSE(mine.added);
    EXPECT_EQ(history.snapshots({20261206, 5, 11}, OddsFile::Zo).size(), 1u);
}

}  // namespace
