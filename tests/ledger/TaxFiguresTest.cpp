#include <gtest/gtest.h>

#include "ledger/Ledger.h"
#include "ledger/TaxFigures.h"
#include "support/Fixtures.h"
#include "tests/ledger/LedgerBets.h"

namespace {

BetLine Bet(const QString& date, const QString& type, qint64 stake, const QString& outcome,
            qint64 payout) {
    return {date, u"東京"_qs, 11, type, u"3"_qs, stake, outcome, payout, payout - stake};
}

// income, expenses, deduction, amount, taxable, losing stakes, refunds
using Estimate = std::tuple<qint64, qint64, qint64, qint64, qint64, qint64, qint64>;

struct TaxCase {
    const char* name;
    std::vector<BetLine> bets;
    Estimate expected;
};

// The year's estimate from what was recorded, worked out by hand; a bet of
// another year is in every ledger and never counts.
TEST(TaxFigures, EstimateOfTheRecordedYear) {
    const std::vector<TaxCase> cases = {
        {"no hit",
         {Bet(u"2026/03/01"_qs, u"馬連"_qs, 1000, u"不的中"_qs, 0),
          Bet(u"2026/04/05"_qs, u"単勝"_qs, 2000, u"不的中"_qs, 0)},
         {0, 0, 0, 0, 0, 3000, 0}},
        // 54,000 - 1,000 = 53,000, all of it within the deduction.
        {"under the deduction",
         {Bet(u"2026/03/01"_qs, u"馬連"_qs, 1000, u"的中"_qs, 54000),
          Bet(u"2026/03/01"_qs, u"馬連"_qs, 5000, u"不的中"_qs, 0)},
         {54000, 1000, 53000, 0, 0, 5000, 0}},
        // 1,234,500 + 560 = 1,235,060; - 1,200 = 1,233,860; - 500,000 = 733,860; half 366,930.
        {"above the deduction",
         {Bet(u"2026/02/01"_qs, u"馬連"_qs, 1000, u"的中"_qs, 1234500),
          Bet(u"2026/11/01"_qs, u"単勝"_qs, 200, u"的中"_qs, 560),
          Bet(u"2026/12/06"_qs, u"馬連"_qs, 10000, u"不的中"_qs, 0)},
         {1235060, 1200, 500000, 733860, 366930, 10000, 0}},
        // A refund is the stake given back: neither income nor expense.
        {"refunds left out",
         {Bet(u"2026/05/03"_qs, u"複勝"_qs, 500, u"返還"_qs, 500),
          Bet(u"2026/05/03"_qs, u"単勝"_qs, 100, u"的中"_qs, 300)},
         {300, 100, 200, 0, 0, 0, 500}},
    };
    for (const TaxCase& c : cases) {
        SCOPED_TRACE(c.name);
        TempDir dir;
        SetLedgerPath(dir.file(u"ledger.sqlite"_qs));
        std::vector<BetLine> bets = c.bets;
        bets.push_back(Bet(u"2025/12/28"_qs, u"馬連"_qs, 100, u"的中"_qs, 900000));
        Ledger ledger;
        ASSERT_TRUE(ledger.open() && ledger.record(LedgerBets(bets)).ok);
        const TaxEstimate e = EstimateTax(ledger.taxMonths(2026));
        EXPECT_EQ(Estimate(e.income, e.expenses, e.deduction, e.amount, e.taxable, e.missStake,
                           e.refunds),
                  c.expected);
        SetLedgerPath({});
    }
}

// The CSV: a line a month, the year's total, the bets not recorded under
// their count line (none: no such lines), then the estimate.
TEST(TaxFigures, CsvHasTheMonthsTheBetsNotRecordedAndTheEstimate) {
    const std::vector<TaxMonth> months = {{2, 1234500, 1000, 0, 0, 1},
                                          {12, 560, 200, 10000, 300, 1}};
    const std::vector<BetLine> unrecorded = {
        {u"2026/12/06"_qs, u"中山"_qs, 12, u"馬連"_qs, u"3-7"_qs, 700, u"未確定"_qs, {}, {}},
        {u"2026/12/06"_qs, u"中山"_qs, 12, u"複勝"_qs, u"5"_qs, 500, u"払戻不明"_qs, {}, {}},
        {u"2026/12/13"_qs, u"阪神"_qs, 1, u"単勝"_qs, u"2"_qs, 500, u"未確定"_qs, {}, {}}};
    const QStringList lines =
        QString::fromUtf8(TaxCsv(2026, months, unrecorded).mid(3)).split(u"\r\n"_qs);
    EXPECT_EQ(lines.mid(0, 10),
              QStringList({u"月,総収入（的中の払戻）,的中した馬券の購入額,差引,外れ馬券の購入額,"
                           u"返還,的中数"_qs,
                           u"2026年2月,1234500,1000,1233500,0,0,1"_qs,
                           u"2026年12月,560,200,360,10000,300,1"_qs,
                           u"2026年 合計,1235060,1200,1233860,10000,300,2"_qs, u""_qs,
                           u"\"記録されていない馬券：未確定 2 件 1,200円、払戻不明 1 件 500円"
                           u"（税金の目安に含めていません）\""_qs,
                           u"日付,競馬場,レース,券種,買い目,番号1,番号2,購入,理由"_qs,
                           u"2026/12/06,中山,12R,馬連,馬連 3-7,3,7,700,未確定"_qs,
                           u"2026/12/06,中山,12R,複勝,複勝 5,5,,500,払戻不明"_qs,
                           u"2026/12/13,阪神,1R,単勝,単勝 2,2,,500,未確定"_qs}));
    EXPECT_EQ(QString::fromUtf8(TaxCsv(2026, months, {}).mid(3)).split(u"\r\n"_qs).mid(4, 2),
              QStringList({u""_qs, u"総収入,1235060"_qs}));
    EXPECT_TRUE(lines.contains(u"特別控除,500000"_qs));
    EXPECT_TRUE(lines.contains(u"一時所得の金額,733860"_qs));
    EXPECT_TRUE(lines.contains(u"課税対象（2分の1）,366930"_qs));
}

}  // namespace
