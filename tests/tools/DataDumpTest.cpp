#include <gtest/gtest.h>

#include <QDir>
#include <QTextStream>

#include "support/Fixtures.h"
#include "tools/DataDump.h"
#include "tools/RecordBuilder.h"

namespace {

struct Dump {
    int code;
    QStringList lines;  // stdout
    QString err;
};

Dump DumpOf(const QString& path) {
    QString out, err;
    QTextStream outStream(&out), errStream(&err);
    const int code = DumpDataFile(path, outStream, errStream);
    outStream.flush();
    errStream.flush();
    return {code, out.split(u'\n', Qt::SkipEmptyParts), err};
}

TEST(DataDumpTest, PrintsEveryFieldOfAZoFile) {
    TempDir dir;
    const QString title = QStringLiteral("第７１回有馬記念（Ｇ１）ｱﾘﾏ");
    ASSERT_TRUE(dir.write("zo-68b.jra", ZoBuilder()
                                            .set(ZoLayout::RaceDate, "20261206")
                                            .set(ZoLayout::RaceTitle, title)
                                            .setRight(ZoLayout::HorseNo(0), "1")
                                            .setRight(ZoLayout::WinOdds(0), "2.5")
                                            .setRight(ZoLayout::PlaceOddsLow(0), "1.1")
                                            .setRight(ZoLayout::PlaceOddsHigh(0), "1.4")
                                            .setRight(ZoLayout::WinOdds(1), QStringLiteral("取消"))
                                            .setRight(ZoLayout::BracketOdds(35), "123.4")
                                            .bytes()));
    const Dump dump = DumpOf(dir.file("zo-68b.jra"));
    EXPECT_EQ(dump.code, 0);
    EXPECT_EQ(dump.err, QString());
    // Two heading lines, then the race date and title, 18 × 4 horse fields and 36 bracket odds.
    ASSERT_EQ(dump.lines.size(), 2 + 2 + 72 + 36);
    EXPECT_EQ(dump.lines[1], "Kind: zo- (826-byte record)");
    EXPECT_EQ(dump.lines[2], "RaceDate: 20261206");
    EXPECT_EQ(dump.lines[3], QStringLiteral("RaceTitle: ") + title + QString(29, u' '));
    EXPECT_EQ(dump.lines[4], "HorseEntry[0].HorseNo:  1");
    EXPECT_EQ(dump.lines[5], "HorseEntry[0].WinOdds:   2.5");
    EXPECT_EQ(dump.lines[6], "HorseEntry[0].PlaceOddsLow:   1.1");
    EXPECT_EQ(dump.lines[7], "HorseEntry[0].PlaceOddsHigh:   1.4");
    EXPECT_EQ(dump.lines[9], QStringLiteral("HorseEntry[1].WinOdds:  取消"));
    EXPECT_EQ(dump.lines[76], "BracketEntry[0].BracketOdds (1-1):      ");
    EXPECT_EQ(dump.lines.last(), "BracketEntry[35].BracketOdds (8-8): 123.4");
}

TEST(DataDumpTest, PrintsTheFieldsOfUoAndKsFiles) {
    TempDir dir;
    ASSERT_TRUE(
        dir.write("UO-68B.JRA", UoBuilder()
                                    .setRight(UoLayout::Runners, "5")
                                    .set(UoLayout::QuinellaOdds(9), QStringLiteral("  ﾄﾘｹｼ"))
                                    .bytes()));
    const Dump uo = DumpOf(dir.file("UO-68B.JRA"));
    EXPECT_EQ(uo.code, 0);
    ASSERT_EQ(uo.lines.size(), 2 + 3 + 153);
    EXPECT_EQ(uo.lines[1], "Kind: uo- (1979-byte record)");
    EXPECT_EQ(uo.lines[4], "Runners:  5");
    EXPECT_EQ(uo.lines[5], "QuinellaEntry[0].QuinellaOdds (1-2):        ");
    EXPECT_EQ(uo.lines[14], QStringLiteral("QuinellaEntry[9].QuinellaOdds (4-5):   ﾄﾘｹｼ "));
    // Past the pairs of the runners an entry has no pair.
    EXPECT_EQ(uo.lines[15], "QuinellaEntry[10].QuinellaOdds:        ");

    // No known prefix: the length of a result record decides.
    ASSERT_TRUE(dir.write("result.bin", KsBuilder()
                                            .set(KsLayout::CourseName, QStringLiteral("中山"))
                                            .set(KsLayout::FinisherHorseName(4), "Z\nZ")
                                            .setRight(KsLayout::QuinellaPayout, "1820")
                                            .bytes()));
    const Dump ks = DumpOf(dir.file("result.bin"));
    EXPECT_EQ(ks.code, 0);
    ASSERT_EQ(ks.lines.size(), 2 + 4 + 10 + 8);
    EXPECT_EQ(ks.lines[1], "Kind: ks- (504-byte record)");
    EXPECT_EQ(ks.lines[3], QStringLiteral("CourseName: 中山"));
    EXPECT_EQ(ks.lines[15], "Finisher[4].HorseName: Z\\x0AZ" + QString(15, u' '));
    EXPECT_EQ(ks.lines.last(), "QuinellaPayout:     1820");
}

TEST(DataDumpTest, WarnsAboutAFileOfAnotherLength) {
    TempDir dir;
    ASSERT_TRUE(dir.write("ks-6508b.jra", QByteArray("20261206")));
    const Dump shortFile = DumpOf(dir.file("ks-6508b.jra"));
    EXPECT_EQ(shortFile.code, 0);
    EXPECT_TRUE(shortFile.lines.contains("RaceDate: 20261206"));
    EXPECT_TRUE(shortFile.err.contains("8 bytes")) << shortFile.err.toStdString();

    ASSERT_TRUE(dir.write("zo-68b.jra", QByteArray(826 * 2, '1')));
    const Dump longFile = DumpOf(dir.file("zo-68b.jra"));
    EXPECT_EQ(longFile.code, 0);
    EXPECT_TRUE(longFile.err.contains("1652 bytes")) << longFile.err.toStdString();
}

TEST(DataDumpTest, UnknownOrUnreadableFilesFail) {
    TempDir dir;
    ASSERT_TRUE(dir.write("notes.txt", "hello"));
    ASSERT_TRUE(QDir(dir.path()).mkdir("zo-68b.jra"));
    for (const QString name : {"notes.txt", "missing.jra", "zo-68b.jra"}) {
        const Dump dump = DumpOf(dir.file(name));
        EXPECT_NE(dump.code, 0) << name.toStdString();
        EXPECT_TRUE(dump.lines.isEmpty()) << name.toStdString();
        EXPECT_TRUE(dump.err.contains(dir.file(name))) << dump.err.toStdString();
    }
}

}  // namespace
