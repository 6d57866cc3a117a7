// Reading and settling a long memo (plain functions): memos of 10,000 and
// 100,000 lines of bet blocks over the 48 races of the sample race day, read
// and settled against its files. The 10,000-line figure times ten stands
// beside the 100,000-line one as its floor, so that the ratio shows whether
// the work grows linearly with the memo. Medians of alternating runs.

#include <QCoreApplication>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <string>

#include "bench/BenchSupport.h"
#include "settle/Settlement.h"
#include "tools/SampleData.h"

namespace {

constexpr double BudgetSeconds = 0.300;

// Blocks of a heading, eight bets and an empty line, as the distribution
// window writes them, until the memo has `lines` lines.
QString Memo(int lines) {
    const char16_t* places[] = {u"東京", u"中山", u"阪神", u"小倉"};
    const char16_t* types[] = {u"馬連", u"枠連", u"単・複勝", u"複勝"};
    QString memo;
    int written = 0;
    for (int block = 0; written + 10 <= lines; ++block) {
        const int race = block % 12 + 1;
        const int type = block / 48 % 4;
        memo += QStringLiteral("%1\t%2R\t%3\r\n")
                    .arg(QString::fromUtf16(places[block / 12 % 4]))
                    .arg(race)
                    .arg(QString::fromUtf16(types[type]));
        for (int bet = 0; bet < 8; ++bet) {
            const int a = bet % 4 + 1, b = bet + 2;
            const QString text = type < 2
                                     ? QStringLiteral("%1-%2").arg(a).arg(type == 1 ? b % 8 + 1 : b)
                                     : QString::number(bet + 1);
            memo += QStringLiteral("\t%1\t%2\r\n").arg(text).arg((bet + 1) * 100);
        }
        memo += QStringLiteral("\r\n");
        written += 10;
    }
    return memo;
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QTemporaryDir data;
    if (!data.isValid() || !WriteSampleData(data.path())) {
        std::fprintf(stderr, "settle benchmark: cannot write the sample data\n");
        return 1;
    }
    const QString small = Memo(10'000), large = Memo(100'000);
    const auto time = [&](const QString& memo) {
        const Stamp start = TakeStamp();
        const Settlement s = SettleBets(ReadMemo(memo), data.path());
        const Stamp end = TakeStamp();
        // Every line reads; the bets the odds show were never on sale (a horse
        // beyond a small field, a bracket pair not sold) are listed, not settled.
        const bool allRead = std::all_of(s.skipped.begin(), s.skipped.end(), [](const auto& line) {
            return line.reason.contains(u"出走していません") ||
                   line.reason.contains(u"発売されていません");
        });
        if (s.races.size() != 48 || !allRead) {
            std::fprintf(stderr, "settle benchmark: the memo did not settle as written\n");
            std::exit(1);
        }
        return Elapsed(start, end);
    };
    std::vector<double> smallTimes, largeTimes;
    const int runs = 15;
    for (int i = 0; i < runs + 2; ++i) {
        const double s = time(small), l = time(large);
        if (i < 2) continue;  // warm-up
        smallTimes.push_back(s);
        largeTimes.push_back(l);
    }
    const double s = Median(smallTimes), l = Median(largeTimes);
    const std::string count = " (median of " + std::to_string(runs) + ClockNote() + ")";
    std::fprintf(stderr, "settle: 10,000 lines %s, 100,000 lines %s\n", FormatSeconds(s).c_str(),
                 FormatSeconds(l).c_str());
    PrintRow({"read and settle a 100,000-line memo, floor 10 x the 10,000-line time" + count,
              FormatSeconds(l), FormatSeconds(10 * s), l / (10 * s), "<= 300 ms, linear",
              l <= BudgetSeconds && l <= 1.2 * 10 * s});
    return 0;
}
