#include <gtest/gtest.h>

#include <QTextStream>

#include "support/Fixtures.h"
#include "tools/DataDump.h"
#include "tools/RecordBuilder.h"

TEST(DataDump, PrintsEveryFieldDecodedOrSaysWhyNot) {
    const TempDir dir;
    ASSERT_TRUE(ZoBuilder().set(ZoLayout::RaceTitle, u"有馬記念ｱﾘﾏ"_qs).writeTo(dir.file("zo-6")));
    ASSERT_TRUE(UoBuilder()
                    .setRight(UoLayout::Runners, "5")
                    .set(UoLayout::QuinellaOdds(9), u"  ﾄﾘｹｼ"_qs)
                    .writeTo(dir.file("UO-68B.JRA")));
    ASSERT_TRUE(KsBuilder().set(KsLayout::FinisherHorseName(4), "Z\nZ").writeTo(dir.file("res")));
    ASSERT_TRUE(dir.write("ks-6508b.jra", "20261206") && dir.write("notes.txt", "hello"));
    // File, exit code, line count, one line (blanks at its ends dropped), error text.
    const std::tuple<const char*, int, int, int, const char16_t*, const char*> cases[] = {
        {"zo-6", 0, 112, 3, u"RaceTitle: 有馬記念ｱﾘﾏ", ""},
        {"zo-6", 0, 112, 111, u"BracketEntry[35].BracketOdds (8-8):", ""},
        {"UO-68B.JRA", 0, 158, 14, u"QuinellaEntry[9].QuinellaOdds (4-5):   ﾄﾘｹｼ", ""},
        {"UO-68B.JRA", 0, 158, 15, u"QuinellaEntry[10].QuinellaOdds:", ""},  // past the pairs
        {"res", 0, 24, 15, u"Finisher[4].HorseName: Z\\x0AZ", ""},           // a ks- by its length
        {"ks-6508b.jra", 0, 24, 2, u"RaceDate: 20261206", "is 8 bytes, shorter than"},
        {"notes.txt", 1, 0, 0, nullptr, "notes.txt: not a PAT95 data file"},
        {"missing.jra", 1, 0, 0, nullptr, "cannot read"},
        {"", 1, 0, 0, nullptr, "it is a directory"},
    };
    for (const auto& [file, code, count, index, line, err] : cases) {
        SCOPED_TRACE(file);
        QString out, errors;
        QTextStream outStream(&out), errStream(&errors);
        EXPECT_EQ(DumpDataFile(dir.file(file), outStream, errStream), code);
        errStream.flush();
        const QStringList lines = out.split(u'\n', Qt::SkipEmptyParts);
        ASSERT_EQ(lines.size(), count);
        EXPECT_EQ(line ? lines[index].trimmed() : QString(), QString::fromUtf16(line));
        EXPECT_TRUE(*err ? errors.contains(err) : errors.isEmpty()) << errors.toStdString();
    }
}
