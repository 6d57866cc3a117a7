#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <functional>

#include "racedata/AppState.h"
#include "racedata/Lookups.h"
#include "racedata/RaceDays.h"
#include "racedata/RaceFiles.h"
#include "support/Fixtures.h"
#include "tools/RecordBuilder.h"

namespace {

TEST(RaceFiles, FindRaceFile) {
    // Files (names ending in "/" are directories, in "@" links to nowhere), course, race,
    // stem, file found; the data directory ends in a separator, which must not be doubled.
    const std::tuple<const char*, int, int, const char*, const char*> cases[] = {
        {"zo-621.jra zo-629.jra", 6, 9, "zo-62", "zo-629.jra"},
        // Other kinds, courses and endings do not match; with no stem "b.jra" is no race file.
        {"b.jra zo-5.jra zo-52b.jra uo-62b.jra ks-6508b.jra zo-62b.txt", 6, 11, "", ""},
        // The first name in case-insensitive order gives the stem; names match in any case.
        {"ZO-62C.JRA ZO-63b.jra Zo-64b.jra zo-621.jra", 6, 12, "zo-62", "ZO-62C.JRA"},
        {"ZO-62C.JRA ZO-63b.jra Zo-64b.jra zo-621.jra zo-62b.jra.bak", 6, 11, "zo-62", ""},
        // Only regular files count, as the race's file and as the first name.
        {"zo-600.jra/ zo-62b.jra/ zo-621.jra", 6, 11, "zo-62", ""},
        {"zo-621.jra zo-62c.jra@", 6, 12, "zo-62", ""},
    };
    for (const auto& [files, course, race, stem, found] : cases) {
        SCOPED_TRACE(files);
        const TempDir dir;
        for (const QString& name : QString(files).split(u' '))
            ASSERT_TRUE(name.endsWith(u'/')   ? QDir(dir.path()).mkdir(name)
                        : name.endsWith(u'@') ? QFile::link("nowhere", dir.file(name.chopped(1)))
                                              : dir.write(name, "x"));
        const QString data = dir.path() + "/";
        const RaceFile file = FindRaceFile(data, "zo-", 5, course, race);
        EXPECT_EQ(file.stem + "|" + file.path,
                  stem + ("|" + (*found ? QDir::toNativeSeparators(dir.file(found)) : QString())));
        // The directory listed once answers the same.
        const RaceFile listed = RaceDirectory(data).find("zo-", 5, course, race);
        EXPECT_EQ(listed.stem + "|" + listed.path, file.stem + "|" + file.path);
        EXPECT_EQ(RaceDirectory(data).findAll("zo-", 5, course, race),
                  FindRaceFiles(data, "zo-", 5, course, race));
    }
    // Every stem's file of the race, in name order, from a lookup and from the listing.
    const TempDir dir;
    for (const char* name : {"ks-6501b.jra", "KS-6408B.JRA", "ks-6508b.jra", "ks-6508c.jra",
                             "ks-650b.jra", "ks-5508b.jra"})
        ASSERT_TRUE(dir.write(name, "x"));
    QStringList all;
    for (const char* name : {"KS-6408B.JRA", "ks-6501b.jra", "ks-6508b.jra"})
        all << QDir::toNativeSeparators(dir.file(name));
    EXPECT_EQ(FindRaceFiles(dir.path(), "ks-", 7, 6, 11), all);
    EXPECT_EQ(RaceDirectory(dir.path()).findAll("ks-", 7, 6, 11), all);
    for (const QString& missing : {QDir::temp().filePath("zem-no-such-dir"), QString()})
        EXPECT_EQ(FindRaceFile(missing, "zo-", 5, 6, 11).stem, QString());
}

// Sets the modification time of a file or directory.
bool setModified(const QString& path, const timespec& when) {
    const timespec times[2] = {{0, UTIME_OMIT}, when};
    return utimensat(AT_FDCWD, QFile::encodeName(path).constData(), times, 0) == 0;
}

TEST(RaceFiles, AKeptListingSeesEveryChangeOfTheDirectory) {
    const auto found = [](const TempDir& dir, int race) {
        return QFileInfo(FindRaceFile(dir.path(), "zo-", 5, 6, race).path).fileName().toStdString();
    };
    // A change, then the race looked up and the file it must find, before and after.
    const std::tuple<const char*, std::function<bool(const TempDir&)>, int, const char*,
                     const char*>
        cases[] = {
            {"added", [](const TempDir& d) { return d.write("zo-62c.jra", "x"); }, 12, "",
             "zo-62c.jra"},
            {"removed", [](const TempDir& d) { return QFile::remove(d.file("zo-62b.jra")); }, 11,
             "zo-62b.jra", ""},
            {"renamed",
             [](const TempDir& d) {
                 return QFile::rename(d.file("zo-62b.jra"), d.file("zo-62a.jra"));
             },
             10, "", "zo-62a.jra"},
        };
    const timespec hourAgo{time(nullptr) - 3600, 0};
    for (const auto& [what, change, race, before, after] : cases) {
        SCOPED_TRACE(what);
        const TempDir dir;
        ASSERT_TRUE(dir.write("zo-621.jra", "x") && dir.write("zo-62b.jra", "x"));
        ASSERT_TRUE(setModified(dir.path(), hourAgo));
        EXPECT_EQ(found(dir, race), before);
        EXPECT_EQ(found(dir, race), before);
        ASSERT_TRUE(change(dir));
        EXPECT_EQ(found(dir, race), after);
    }
    // The listing of a directory an hour old is kept: a change that left its
    // time as it was goes unseen until the listings are forgotten. One whose
    // time is that of the moment is listed again each time, as a change within
    // the file system's timestamp granularity leaves the time as it was.
    for (const bool old : {true, false}) {
        SCOPED_TRACE(old ? "an hour old" : "just changed");
        const TempDir dir;
        ASSERT_TRUE(dir.write("zo-621.jra", "x"));
        timespec now{};
        clock_gettime(CLOCK_REALTIME, &now);
        const timespec when = old ? hourAgo : now;
        ASSERT_TRUE(setModified(dir.path(), when));
        EXPECT_EQ(found(dir, 12), "");
        ASSERT_TRUE(dir.write("zo-62c.jra", "x") && setModified(dir.path(), when));
        EXPECT_EQ(found(dir, 12), old ? "" : "zo-62c.jra");
        ForgetRaceListings();
        EXPECT_EQ(found(dir, 12), "zo-62c.jra");
    }
}

TEST(RaceFiles, ReadRecord1ReadsOnlyRecordOneAndLeavesTheFileAlone) {
    const TempDir dir;
    const QString path = dir.file("r.jra");
    const QByteArray record =
        ZoBuilder().set(ZoLayout::RaceTitle, QStringLiteral("第７１回有馬記念ｱﾘﾏ")).bytes();
    const std::pair<QByteArray, QByteArray> cases[] = {
        {record, record},
        {record.left(60), record.left(60) + QByteArray(766, ' ')},  // short: padded
        {record + QByteArray(826, '2') + "tail", record},           // long: record 1 only
    };
    ZoRecord zo;
    for (const auto& [bytes, read] : cases) {
        ASSERT_TRUE(dir.write("r.jra", bytes));
        const QDateTime modified = QFileInfo(path).lastModified();
        EXPECT_TRUE(ReadRecord1(path, zo) && zo.raw() == read);
        EXPECT_TRUE(dir.read("r.jra") == bytes && QFileInfo(path).lastModified() == modified);
    }
    // A missing, unreadable (unless run as root) or directory file is not read,
    // and the record stays as it was.
    ASSERT_TRUE(QDir(dir.path()).mkdir("dir.jra"));
    ASSERT_TRUE(dir.write("locked.jra", "x") && QFile::setPermissions(dir.file("locked.jra"), {}));
    for (const char* name : {"missing.jra", "dir.jra", geteuid() ? "locked.jra" : "dir.jra"})
        EXPECT_FALSE(ReadRecord1(dir.file(name), zo));
    EXPECT_EQ(zo.raw(), record);
}

// A record of the kind the name's prefix gives: '#' bytes with the name as
// title. "ks -date" is "ks" with a blank date, "-title" a blank title.
QByteArray Bytes(const QString& name) {
    const FieldSpan title = name[0] == u'k' ? KsLayout::RaceTitle : ZoLayout::RaceTitle;
    const FieldSpan blank =
        name.endsWith("-title") ? title : FieldSpan{0, name.endsWith("-date") ? 8 : 0};
    const int length = name[0] == u'u' ? 1979 : name[0] == u'z' ? 826 : 504;
    RecordBuilder record(length);
    record.setBytes(0, QByteArray(length, '#')).set(title, name.section(" -", 0, 0));
    return record.setBytes(blank.offset, QByteArray(blank.width, ' ')).bytes();
}

TEST(Lookups, EachReadsItsFilesAndBlanksItsFields) {
    const TempDir dir;
    // 中山 (6) 11R has every file, 10R only odds, 12R only a result; 小倉 (0) 12R a result.
    for (const char* name : {"uo-68b.jra", "zo-68b.jra", "ks-6508b.jra", "uo-68a.jra", "zo-68a.jra",
                             "ks-6508c.jra", "ks-0208c.jra"})
        ASSERT_TRUE(dir.write(name, Bytes(name)));
    const auto M1 = MsgOddsMissing, M2 = MsgResultMissing;
    const MsgIcon Excl = MsgIcon::Exclamation, None = MsgIcon::None;
    const BetType Q = BetType::Quinella, B = BetType::BracketQuinella, W = BetType::WinPlace;
    // Lookup (Result, recommendation or Odds for the type), race, the failure's text (nullptr
    // when the lookup succeeds) and icon, what the lookup leaves; stems: "UoStem|ZoStem".
    const std::tuple<char, const char*, int, BetType, const char16_t*, MsgIcon, const char*,
                     const char*, const char*, const char*>
        cases[] = {
            {'R', "小倉", 12, Q, nullptr, None, "uo", "zo", "ks-0208c.jra", "|"},
            {'R', "中山", 10, Q, M2, Excl, "uo", "zo", "ks -title", "|"},
            {'r', "中山", 11, Q, nullptr, None, "uo", "zo-68b.jra", "ks-6508b.jra", "|zo-68"},
            {'r', "中山", 10, Q, nullptr, None, "uo", "zo-68a.jra", "ks -date", "|zo-68"},
            // No odds: M1 after the result is read; the odds record is left as it was.
            {'r', "中山", 12, Q, M1, Excl, "uo", "zo", "ks-6508c.jra", "|zo-68"},
            // Both titles are blanked, then the odds file of the bet type read.
            {'O', "中山", 11, Q, nullptr, None, "uo-68b.jra", "zo -title", "ks", "uo-68|"},
            {'O', "中山", 11, B, nullptr, None, "uo -title", "zo-68b.jra", "ks", "|zo-68"},
            {'O', "中山", 11, W, nullptr, None, "uo -title", "zo-68b.jra", "ks", "|zo-68"},
            {'O', "東京", 11, Q, M1, Excl, "uo", "zo", "ks", "|"},
            {'O', "東京", 11, B, M1, None, "uo", "zo", "ks", "|"},
            {'O', "東京", 11, W, M1, None, "uo", "zo", "ks", "|"},
        };
    for (const auto& [load, place, raceNo, type, message, icon, uo, zo, ks, stems] : cases) {
        SCOPED_TRACE(testing::Message() << place << raceNo << " type " << int(type));
        const Race race{{}, CourseCodeOf(QString::fromUtf8(place)), raceNo};
        AppState state;  // with what earlier lookups left
        state.DataDir = dir.path();
        state.UoData.assign(Bytes("uo"));
        state.ZoData.assign(Bytes("zo"));
        state.KsData.assign(Bytes("ks"));
        const Attempt loaded = load == 'R'   ? LoadRaceResult(state, race)
                               : load == 'r' ? LoadRecommendation(state, race)
                                             : LoadDistributionOdds(state, race, type);
        EXPECT_EQ(loaded ? std::pair(std::string(), MsgIcon::None)
                         : std::pair(loaded.failure->text.toStdString(), loaded.failure->icon),
                  std::pair(QString::fromUtf16(message ? message : u"").toStdString(), icon));
        EXPECT_EQ(state.UoData.raw() + state.ZoData.raw() + state.KsData.raw(),
                  Bytes(uo) + Bytes(zo) + Bytes(ks));
        EXPECT_EQ(state.UoStem + "|" + state.ZoStem, stems);
    }
}

// A folder with two race days, the earlier one's stems sorting first: 東京 (5)
// 11R on 11/29 (every file) and 12/06 (odds only, no result yet), 10R with an
// undated file beside a dated one, 9R with undated files only; 中山 (6) 11R
// with last week's result and today's odds.
class TwoDays : public ::testing::Test {
protected:
    void SetUp() override {
        const std::pair<const char*, const char*> files[] = {
            {"uo-57b.jra", "20261129"}, {"zo-57b.jra", "20261129"}, {"ks-5507b.jra", "20261129"},
            {"uo-58b.jra", "20261206"}, {"zo-58b.jra", "20261206"}, {"uo-57a.jra", "20261129"},
            {"uo-58a.jra", "        "}, {"zo-579.jra", "        "}, {"zo-589.jra", "2026XX06"},
            {"ks-6507b.jra", "20261129"}, {"zo-68b.jra", "20261206"}};
        for (const auto& [name, date] : files) {
            const int length = name[0] == 'u' ? 1979 : name[0] == 'z' ? 826 : 504;
            ASSERT_TRUE(RecordBuilder(length)
                            .setBytes(0, date)
                            .set(name[0] == 'k' ? KsLayout::RaceTitle : ZoLayout::RaceTitle, name)
                            .writeTo(dir.file(name)));
        }
    }
    QString name(const RaceFile& file) const { return QFileInfo(file.path).fileName(); }
    const TempDir dir;
};

TEST_F(TwoDays, EachLookupTakesTheFileOfTheDayInForce) {
    const QDate none, nov29(2026, 11, 29), dec6(2026, 12, 6);
    // Course, race, kind, day asked (null: the race's newest), the file found.
    const std::tuple<int, int, const char*, QDate, const char*> cases[] = {
        {5, 11, "uo-", none, "uo-58b.jra"},  // today's, though last week's stem sorts first
        {5, 11, "ks-", none, ""},            // no result of today: not last week's
        {5, 11, "ks-", nov29, "ks-5507b.jra"},
        {5, 11, "zo-", nov29, "zo-57b.jra"},
        {5, 11, "zo-", QDate(2026, 11, 22), ""},  // no file of that day
        {5, 10, "uo-", none, "uo-57a.jra"},  // the undated file counts only while none is dated
        {5, 10, "uo-", dec6, ""},
        {5, 9, "zo-", none, "zo-579.jra"},  // nothing dated: the first stem decides
        {5, 9, "zo-", nov29, ""},
    };
    const RaceDirectory listed(dir.path());
    for (const auto& [course, race, kind, day, found] : cases) {
        SCOPED_TRACE(testing::Message() << course << " " << race << kind << day.toString().toStdString());
        const int stem = kind[0] == 'k' ? 7 : 5;
        const RaceFile file = FindRaceFile(dir.path(), kind, stem, course, race, day);
        EXPECT_EQ(name(file), found);
        EXPECT_EQ(name(listed.find(kind, stem, course, race, day)), found);
        EXPECT_EQ(file.stem, QString(found).left(stem));
    }
    EXPECT_EQ(RaceFileSet(dir.path(), 5, 11).newestDay(), dec6);
    EXPECT_EQ(RaceFileSet(dir.path(), 5, 9).newestDay(), none);
    EXPECT_EQ(RaceFileSet(dir.path(), 5, 11).all("ks-"), QStringList{dir.file("ks-5507b.jra")});
}

TEST_F(TwoDays, TheFolderListsItsDaysNewestFirstAndTheStatusBarNamesTheDay) {
    QStringList days;
    for (const FolderDay& day : ListRaceDays(dir.path())) days << day.label();
    EXPECT_EQ(days, QStringList({"2026/12/06 東京・中山", "2026/11/29 東京・中山"}));
    // A new download of another racecourse is seen at the next listing.
    ASSERT_TRUE(ZoBuilder().setBytes(0, "20261213").writeTo(dir.file("zo-08b.jra")));
    EXPECT_EQ(NewestFolderDay(dir.path()), QDate(2026, 12, 13));
    EXPECT_EQ(ListRaceDays(dir.path()).front().label(), "2026/12/13 小倉");

    const QDate newest(2026, 12, 6);
    const std::tuple<QDate, bool, const char*, bool> captions[] = {
        {newest, true, "開催日 2026年12月06日（選択中）", false},
        {QDate(2026, 11, 29), true, "開催日 2026年11月29日（選択中） 前の開催", true},
        {QDate(), false, "", false},
    };
    for (const auto& [day, chosen, text, earlier] : captions) {
        const DayCaption caption = RaceDayCaption(day, chosen, newest);
        EXPECT_EQ(caption.text, text);
        EXPECT_EQ(caption.earlier, earlier);
    }
}

TEST_F(TwoDays, ResultAndRecommendationTakeOnlyTheResultOfTheOddsDay) {
    AppState state;
    state.DataDir = dir.path();
    const Race tokyo{{}, 5, 11}, nakayama{{}, 6, 11};
    // Today's odds and only last week's result: no result today.
    EXPECT_FALSE(LoadRaceResult(state, tokyo));
    ASSERT_TRUE(LoadRecommendation(state, nakayama));
    EXPECT_FALSE(state.KsData.HasResult());  // nobody coloured as a finisher
    EXPECT_EQ(state.ZoData.RaceDate(), "20261206");
    // Last week chosen: its result and its odds.
    state.Day = QDate(2026, 11, 29);
    ASSERT_TRUE(LoadRaceResult(state, tokyo));
    EXPECT_EQ(state.KsData.RaceTitle().trimmed(), "ks-5507b.jra");
    ASSERT_TRUE(LoadDistributionOdds(state, tokyo, BetType::Quinella));
    EXPECT_EQ(state.UoData.RaceDate(), "20261129");
    EXPECT_FALSE(LoadRecommendation(state, nakayama));  // no odds of that day
    EXPECT_EQ(ShownRaceDay(state, nakayama), QDate(2026, 11, 29));
    state.Day = {};
    EXPECT_EQ(ShownRaceDay(state, tokyo), QDate(2026, 12, 6));
}

}  // namespace
