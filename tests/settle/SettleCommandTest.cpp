#include <gtest/gtest.h>

#include <QBuffer>
#include <QTextStream>

#include "common/ProgramDir.h"
#include "racedata/Cp932.h"
#include "settle/SettleCommand.h"
#include "support/Fixtures.h"
#include "tests/settle/SettleFiles.h"

TEST(SettleCommand, SavedMemoAsTableOrCsv) {
    TempDir data, program;
    ASSERT_TRUE(WriteResult(data, 5, 11, QuinellaResult()));
    // Saved by the memo command: CP932, CR LF.
    ASSERT_TRUE(data.write(u"memo.txt"_qs,
                           EncodeCp932(u"東京\t11R\t馬連\r\n\t7-3\t800\r\n\t3-12\t500\r\n"
                                       u"\r\n中山\t2R\t馬連\r\n\t1-2\t300\r\nおわり\r\n"_qs)));
    ASSERT_TRUE(program.write(u"ZEM.ini"_qs, "[Header]\r\n" + data.path().toLocal8Bit() + "\r\n"));
    SetProgramDir(program.path());

    QByteArray bytes;  // what the command writes out, as on a terminal
    const auto run = [&bytes](const QStringList& args, QString& out, QString& err) {
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        QTextStream o(&buffer), e(&err);
        const int status = RunSettleCommand(args, o, e);
        out = QString::fromUtf8(bytes);
        return status;
    };
    QString out, err;
    // DATADIR from ZEM.ini.
    ASSERT_EQ(run({data.file(u"memo.txt"_qs)}, out, err), 0);
    const QStringList lines = out.split(QLatin1Char('\n'));
    EXPECT_EQ(
        lines[0],
        u"日付        競馬場  レース  券種  買い目     購入  結果        払戻      収支  備考"_qs);
    EXPECT_EQ(lines[1],
              u"2026/12/06  東京       11R  馬連  3-7       800円  的中    18,480円  17,680円"_qs);
    EXPECT_TRUE(out.contains(u"\n収支　17,180円\n"_qs));
    EXPECT_TRUE(out.contains(u"\n未確定　1件 300円\n"_qs));
    EXPECT_TRUE(out.contains(u"\n7行目：買い目と金額の行ではありません「おわり」\n"_qs));

    out.clear();
    ASSERT_EQ(run({u"--csv"_qs, data.file(u"memo.txt"_qs), data.path()}, out, err), 0);
    EXPECT_TRUE(bytes.startsWith("\xEF\xBB\xBF"));
    EXPECT_TRUE(out.contains(u"日付,競馬場,レース,券種,買い目,番号1,番号2,購入,結果,払戻,収支,備考\r\n"_qs));
    EXPECT_TRUE(out.contains(u",中山,2R,馬連,馬連 1-2,1,2,300,未確定,,,結果がまだありません\r\n"_qs));

    EXPECT_EQ(run({data.file(u"none.txt"_qs)}, out, err), 1);
    EXPECT_TRUE(err.contains(u"none.txt"_qs));
    // A data directory that is not there is said, not settled as all 未確定.
    bytes.clear();
    EXPECT_EQ(run({data.file(u"memo.txt"_qs), data.file(u"nowhere"_qs)}, out, err), 1);
    EXPECT_TRUE(err.contains(u"nowhere: データディレクトリがありません"_qs));
    EXPECT_TRUE(out.isEmpty());
    EXPECT_EQ(run({}, out, err), 2);
    SetProgramDir({});
}
