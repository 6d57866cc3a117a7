#include <gtest/gtest.h>

#include <QBuffer>
#include <QTextStream>

#include "common/BetCsv.h"
#include "common/ProgramDir.h"
#include "racedata/Cp932.h"
#include "settle/SettleCommand.h"
#include "settle/Settlement.h"
#include "support/Fixtures.h"
#include "tests/settle/SettleFiles.h"

TEST(SettleCommand, SavedMemoAsTableOrCsv) {
    TempDir data, program;
    ASSERT_TRUE(WriteResult(data, 5, 11, QuinellaResult()));
    const QString memo =
        u"東京\t11R\t馬連\r\n\t7-3\t800\r\n\t3-12\t500\r\n"
        u"\r\n中山\t2R\t馬連\r\n\t1-2\t300\r\nおわり\r\n"_qs;
    // Saved by the memo command: CP932, CR LF.
    ASSERT_TRUE(data.write(u"memo.txt"_qs, EncodeCp932(memo)));
    ASSERT_TRUE(program.write(u"ZEM.ini"_qs, "[Header]\r\n" + data.path().toLocal8Bit() + "\r\n"));
    SetProgramDir(program.path());

    QByteArray bytes;  // what the command writes out, as on a terminal
    QString err;
    const auto run = [&](const QStringList& args) {
        bytes.clear();
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        QTextStream o(&buffer), e(&err);
        return RunSettleCommand(args, o, e);
    };
    // DATADIR from ZEM.ini.
    ASSERT_EQ(run({data.file(u"memo.txt"_qs)}), 0);
    const QString out = QString::fromUtf8(bytes);
    const QStringList lines = out.split(QLatin1Char('\n'));
    EXPECT_EQ(
        lines[0],
        u"日付        競馬場  レース  券種  買い目     購入  結果        払戻      収支  備考"_qs);
    EXPECT_EQ(lines[1],
              u"2026/12/06  東京       11R  馬連  3-7       800円  的中    18,480円  17,680円"_qs);
    EXPECT_TRUE(out.contains(u"\n収支　17,180円\n"_qs));
    EXPECT_TRUE(out.contains(u"\n未確定　1件 300円\n"_qs));
    EXPECT_TRUE(out.contains(u"\n7行目：買い目と金額の行ではありません「おわり」\n"_qs));

    ASSERT_EQ(run({u"--csv"_qs, data.file(u"memo.txt"_qs), data.path()}), 0);
    EXPECT_EQ(bytes, BetsCsv(SettleMemo(memo, data.path()).rows()));

    // --day: the day of the blocks without a date line, here last week's result
    // beside today's (3-12 at 5,000); a malformed day is refused.
    KsFields lastWeek = QuinellaResult("03-12", "5,000");
    lastWeek.date = u"20261129"_qs;
    ASSERT_TRUE(WriteResult(data, 5, 11, lastWeek, "071"));
    ASSERT_EQ(run({u"--day"_qs, u"2026-11-29"_qs, data.file(u"memo.txt"_qs)}), 0);
    EXPECT_EQ(QString::fromUtf8(bytes),
              SettlementReport(SettleMemo(memo, data.path(), QDate(2026, 11, 29))));
    for (const QString& day : {u"2026-13-01"_qs, u"2026/11/29"_qs, u"2026-11-9"_qs}) {
        err.clear();
        EXPECT_EQ(run({u"--day"_qs, day, data.file(u"memo.txt"_qs)}), 1) << day.toStdString();
        EXPECT_TRUE(err.contains(u"--day "_qs + day) && bytes.isEmpty()) << err.toStdString();
    }

    EXPECT_EQ(run({data.file(u"none.txt"_qs)}), 1);
    EXPECT_TRUE(err.contains(u"none.txt"_qs));
    // A data directory that is not there is said, not settled as all 未確定.
    EXPECT_EQ(run({data.file(u"memo.txt"_qs), data.file(u"nowhere"_qs)}), 1);
    EXPECT_TRUE(err.contains(u"nowhere: データディレクトリがありません"_qs));
    EXPECT_TRUE(bytes.isEmpty());
    EXPECT_EQ(run({}), 2);
    SetProgramDir({});
}
