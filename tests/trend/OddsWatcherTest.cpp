#include <gtest/gtest.h>

#include <QFileInfo>
#include <QTest>

#include "TrendFiles.h"
#include "racedata/AppState.h"
#include "racedata/Lookups.h"
#include "support/Fixtures.h"
#include "trend/OddsWatcher.h"

namespace {

const TrendRace Tokyo10{20261206, 5, 10}, Tokyo11{20261206, 5, 11}, Tokyo12{20261206, 5, 12};
const QByteArray Uo18 = UoBytes(u"20261206"_qs, 18);

class OddsWatcherTest : public ::testing::Test {
protected:
    OddsWatcherTest() {
        SetOddsHistoryPath(store.file(u"odds-history.sqlite"_qs));
        QObject::connect(&watcher, &OddsWatcher::snapshotsAdded,
                         [this](const QList<TrendRace>& races) { signalled << races; });
    }
    ~OddsWatcherTest() override { SetOddsHistoryPath({}); }

    void put(const QString& name, const QByteArray& bytes, const QDateTime& at = {}) {
        ASSERT_TRUE(WriteAt(data.file(name), bytes, at));
    }
    // Waits for the next signal and returns the races it named.
    QList<TrendRace> nextSignal() {
        signalled.clear();
        if (!QTest::qWaitFor([this] { return !signalled.isEmpty(); }, 5000)) return {};
        return signalled;
    }
    int snapshotsOf(const TrendRace& race, OddsFile file) {
        return static_cast<int>(SharedOddsHistory().snapshots(race, file).size());
    }

    TempDir store, data;
    OddsWatcher watcher;
    QList<TrendRace> signalled;
};

TEST_F(OddsWatcherTest, FilesThatAppearAreReplacedOrRewrittenInPlaceAreRecorded) {
    put(u"uo-58b.jra"_qs, Uo18);
    watcher.watch(data.path());
    EXPECT_EQ(nextSignal(), QList{Tokyo11});  // what is there already

    // A download cut short, a record without a date and an empty file: skipped.
    signalled.clear();
    put(u"uo-58a.jra"_qs, Uo18.left(900));
    put(u"zo-58b.jra"_qs, ZoBytes(u"        "_qs, 18));
    put(u"zo-58a.jra"_qs, QByteArray());
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
    EXPECT_EQ(snapshotsOf(Tokyo11, OddsFile::Zo), 0);
    EXPECT_TRUE(watcher.error().isEmpty());

    // A file a window reads is named at once, and not again by the watch.
    put(u"uo-58c.jra"_qs, UoBytes(u"20261206"_qs, 16));
    signalled.clear();
    EXPECT_TRUE(watcher.record(data.file(u"uo-58c.jra"_qs)).added);
    EXPECT_EQ(signalled, QList{Tokyo12});
    QTest::qWait(OddsWatcher::DelayMs * 4);
    EXPECT_EQ(signalled, QList{Tokyo12});
}

TEST_F(OddsWatcherTest, TheOddsFilesTheLookupsReadAreRecorded) {
    put(u"uo-58b.jra"_qs, Uo18);
    put(u"zo-58b.jra"_qs, ZoBytes(u"20261206"_qs, 18));
    AppState state;
    state.DataDir = data.path();
    const Race race{{}, 5, 11};
    ASSERT_TRUE(LoadDistributionOdds(state, race, Quinella));  // no one told: nothing kept
    EXPECT_EQ(snapshotsOf(Tokyo11, OddsFile::Uo), 0);

    SetOddsFileRead([this](const QString& path) { watcher.record(path); });
    ASSERT_TRUE(LoadDistributionOdds(state, race, Quinella));
    EXPECT_EQ(signalled, QList{Tokyo11});
    ASSERT_TRUE(LoadRecommendation(state, race));
    EXPECT_EQ(snapshotsOf(Tokyo11, OddsFile::Zo), 1);
    // Rewritten in place with its modification time put back: still a new download.
    const QDateTime modified = QFileInfo(data.file(u"uo-58b.jra"_qs)).lastModified();
    QTest::qWait(5);
    put(u"uo-58b.jra"_qs, UoBytes(u"20261206"_qs, 18, {{u"3-7"_qs, u"12.0"_qs}}), modified);
    ASSERT_EQ(QFileInfo(data.file(u"uo-58b.jra"_qs)).lastModified(), modified);
    ASSERT_TRUE(LoadDistributionOdds(state, race, Quinella));
    ASSERT_TRUE(LoadDistributionOdds(state, race, Quinella));
    EXPECT_EQ(snapshotsOf(Tokyo11, OddsFile::Uo), 2);
    SetOddsFileRead({});
}

}  // namespace
