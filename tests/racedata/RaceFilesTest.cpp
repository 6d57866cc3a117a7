#include <gtest/gtest.h>
#include <unistd.h>

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "racedata/RaceFiles.h"
#include "support/Fixtures.h"
#include "tools/RecordBuilder.h"

namespace {

QString Native(const QString& path) {
    return QDir::toNativeSeparators(path);
}

TEST(RaceCharTest, DigitsThenLetters) {
    const char* expected[] = {"1", "2", "3", "4", "5", "6", "7", "8", "9", "a", "b", "c"};
    for (int race = 1; race <= 12; ++race) {
        EXPECT_EQ(RaceChar(race), QLatin1String(expected[race - 1])) << race;
    }
}

// Writes empty files (and directories, for names ending in "/") into a
// temporary data directory.
class DataDir : public TempDir {
public:
    explicit DataDir(const QStringList& names) {
        for (const QString& name : names) {
            if (name.endsWith(u'/')) {
                EXPECT_TRUE(QDir(path()).mkpath(name));
            } else {
                EXPECT_TRUE(write(name, QByteArray("x")));
            }
        }
    }
};

TEST(FindRaceFileTest, FindsTheFileOfEachRace) {
    struct Case {
        const char* what;
        QStringList files;
        const char* prefix;
        int stemLength, course, race;
        const char* stem;
        const char* found;  // "" when missing
    };
    const Case cases[] = {
        {"race 1, 中山", {"zo-621.jra", "zo-629.jra"}, "zo-", 5, 6, 1, "zo-62", "zo-621.jra"},
        {"race 9", {"zo-621.jra", "zo-629.jra"}, "zo-", 5, 6, 9, "zo-62", "zo-629.jra"},
        {"race 10, 札幌", {"uo-11a.jra", "uo-111.jra"}, "uo-", 5, 1, 10, "uo-11", "uo-11a.jra"},
        {"race 11: the first name gives the stem",
         {"zo-624.jra", "zo-62b.jra"},
         "zo-",
         5,
         6,
         11,
         "zo-62",
         "zo-62b.jra"},
        {"race 12, ks- stem of 7",
         {"ks-9504c.jra", "ks-95041.jra"},
         "ks-",
         7,
         9,
         12,
         "ks-9504",
         "ks-9504c.jra"},
        {"course 0 is 小倉",
         {"ks-02085.jra", "ks-55085.jra"},
         "ks-",
         7,
         0,
         5,
         "ks-0208",
         "ks-02085.jra"},
        {"other courses and kinds do not count",
         {"zo-52b.jra", "uo-62b.jra", "ks-6508b.jra"},
         "zo-",
         5,
         6,
         11,
         "",
         ""},
        {"race file missing", {"zo-621.jra"}, "zo-", 5, 6, 11, "zo-62", ""},
        {"only .jra files match",
         {"zo-61b.txt", "zo-62b.jra", "zo-60b.jra.bak"},
         "zo-",
         5,
         6,
         11,
         "zo-62",
         "zo-62b.jra"},
    };
    for (const Case& c : cases) {
        const DataDir dir(c.files);
        const RaceFile file =
            FindRaceFile(dir.path(), QLatin1String(c.prefix), c.stemLength, c.course, c.race);
        EXPECT_EQ(file.stem, QLatin1String(c.stem)) << c.what;
        EXPECT_EQ(file.path, *c.found ? Native(dir.file(QLatin1String(c.found))) : QString())
            << c.what;
    }
}

TEST(FindRaceFileTest, SeveralMatchingStems) {
    // The first name in case-insensitive order decides, whatever the directory
    // order and the case; a race file under another stem is not found.
    const DataDir dir({"zo-63b.jra", "Zo-64b.jra", "zo-62c.jra", "ZO-621.jra"});
    const RaceFile race12 = FindRaceFile(dir.path(), "zo-", 5, 6, 12);
    EXPECT_EQ(race12.stem, "ZO-62");
    EXPECT_EQ(race12.path, Native(dir.file("zo-62c.jra")));
    const RaceFile race11 = FindRaceFile(dir.path(), "zo-", 5, 6, 11);
    EXPECT_EQ(race11.stem, "ZO-62");
    EXPECT_EQ(race11.path, QString());
}

TEST(FindRaceFileTest, NamesMatchInAnyCase) {
    const DataDir dir({"ZO-62B.JRA"});
    const RaceFile file = FindRaceFile(dir.path(), "zo-", 5, 6, 11);
    EXPECT_EQ(file.stem, "ZO-62");
    EXPECT_EQ(file.path, Native(dir.file("ZO-62B.JRA")));
}

TEST(FindRaceFileTest, NoMatchGivesEmptyStemAndPath) {
    // With no stem the name would be the race character alone: "b.jra" is no
    // race file, even when it is there.
    const DataDir dir({"b.jra", "zo-5.jra"});
    const RaceFile file = FindRaceFile(dir.path(), "zo-", 5, 6, 11);
    EXPECT_EQ(file.stem, QString());
    EXPECT_EQ(file.path, QString());
}

TEST(FindRaceFileTest, NoDirectory) {
    const TempDir dir;
    for (const QString& dataDir : {dir.file("missing"), QString()}) {
        const RaceFile file = FindRaceFile(dataDir, "zo-", 5, 6, 11);
        EXPECT_EQ(file.stem, QString());
        EXPECT_EQ(file.path, QString());
    }
}

TEST(FindRaceFileTest, OnlyRegularFilesCount) {
    // A directory named like the race file is not the race file, and a
    // directory that would come first does not give the stem.
    const DataDir named({"zo-62b.jra/", "zo-621.jra"});
    EXPECT_EQ(FindRaceFile(named.path(), "zo-", 5, 6, 11).path, QString());
    const DataDir first({"zo-600.jra/", "zo-62b.jra"});
    EXPECT_EQ(FindRaceFile(first.path(), "zo-", 5, 6, 11).path, Native(first.file("zo-62b.jra")));
    // Neither is a link that leads nowhere.
    const DataDir dangling({"zo-621.jra"});
    ASSERT_TRUE(QFile::link(dangling.file("nowhere"), dangling.file("zo-62b.jra")));
    EXPECT_EQ(FindRaceFile(dangling.path(), "zo-", 5, 6, 11).path, QString());
}

TEST(FindRaceFileTest, TrailingSeparatorGivesNoDoubledSeparator) {
    const DataDir dir({"zo-62b.jra"});
    const RaceFile file = FindRaceFile(dir.path() + QLatin1Char('/'), "zo-", 5, 6, 11);
    EXPECT_EQ(file.path, Native(dir.path() + QStringLiteral("/zo-62b.jra")));
}

// The bytes and modification time of a file, to show that reading left it alone.
struct FileState {
    QByteArray bytes;
    QDateTime modified;
    bool operator==(const FileState&) const = default;
};

FileState StateOf(const QString& path) {
    QFile file(path);
    file.open(QIODevice::ReadOnly);
    return {file.readAll(), QFileInfo(path).lastModified()};
}

class ReadRecord1Test : public ::testing::Test {
protected:
    TempDir dir;
    const QByteArray record =
        ZoBuilder()
            .set(ZoLayout::RaceDate, "20261206")
            .set(ZoLayout::RaceTitle, QStringLiteral("第７１回有馬記念（Ｇ１）ｱﾘﾏ"))
            .setRight(ZoLayout::WinOdds(17), "12.3")
            .bytes();

    // Reads `bytes` written as a file into a record holding "old" data.
    ZoRecord Read(const QByteArray& bytes, bool expectRead = true) {
        const QString path = dir.file("zo-62b.jra");
        EXPECT_TRUE(dir.write("zo-62b.jra", bytes));
        const FileState before = StateOf(path);
        ZoRecord zo = Old();
        EXPECT_EQ(ReadRecord1(path, zo), expectRead);
        EXPECT_TRUE(StateOf(path) == before) << "the data file changed";
        return zo;
    }
    static ZoRecord Old() {
        ZoRecord zo;
        zo.assign(QByteArray(826, 'o'));
        return zo;
    }
};

TEST_F(ReadRecord1Test, ReadsRecordOne) {
    EXPECT_EQ(Read(record).raw(), record);
}

TEST_F(ReadRecord1Test, ShortFileReadsAsIfPaddedWithBlanks) {
    const ZoRecord zo = Read(record.left(60));
    EXPECT_EQ(zo.raw(), record.left(60) + QByteArray(766, ' '));
    EXPECT_EQ(zo.RaceTitle(), QStringLiteral("第７１回有馬") + QString(44, u' '));
    EXPECT_EQ(Read(QByteArray()).raw(), QByteArray(826, ' '));
}

TEST_F(ReadRecord1Test, LongFileReadsOnlyRecordOne) {
    EXPECT_EQ(Read(record + QByteArray(826, '2') + "tail").raw(), record);
}

TEST_F(ReadRecord1Test, FailedReadLeavesTheRecord) {
    ZoRecord zo = Old();
    EXPECT_FALSE(ReadRecord1(dir.file("missing.jra"), zo));
    EXPECT_EQ(zo.raw(), Old().raw());
    ASSERT_TRUE(QDir(dir.path()).mkdir("zo-62b.jra"));
    EXPECT_FALSE(ReadRecord1(dir.file("zo-62b.jra"), zo));
    EXPECT_EQ(zo.raw(), Old().raw());
}

TEST_F(ReadRecord1Test, UnreadableFileLeavesTheRecord) {
    if (geteuid() == 0) GTEST_SKIP() << "running as root: permissions do not stop reads";
    const QString path = dir.file("zo-62b.jra");
    ASSERT_TRUE(dir.write("zo-62b.jra", record));
    ASSERT_TRUE(QFile::setPermissions(path, QFileDevice::Permissions()));
    ZoRecord zo = Old();
    EXPECT_FALSE(ReadRecord1(path, zo));
    EXPECT_EQ(zo.raw(), Old().raw());
    QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
}

}  // namespace
