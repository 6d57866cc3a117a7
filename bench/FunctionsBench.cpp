// Google Benchmark for the plain functions: decoding each record type with all
// its fields, the ranking of 18 horses and the distribution of 8 rows. Each is
// set beside a floor, the least work that reads the same input:
// - decoding: one conversion of the whole record's bytes;
// - ranking: reading the 54 odds texts of the 18 horses as numbers;
// - distribution: reading the 9 texts as numbers and writing 17 numbers;
// - the bet builder's 馬連 ボックス of the 18 horses (153 bets built from the
//   text, spread 予算内, their stakes and payouts as shown): the distribution's
//   own spread of the same 153 odds texts, shown the same way.
// - value list: reading the race's 18 win, 153 quinella and 36 bracket odds
//   texts as numbers.

#include <benchmark/benchmark.h>

#include <QTemporaryDir>
#include <array>
#include <cstdio>
#include <iostream>
#include <map>

#include "racedata/Value.h"
#include "bench/BenchSupport.h"
#include "builder/BetBuilder.h"
#include "common/NumberText.h"
#include "common/DistributionSheet.h"
#include "racedata/Market.h"
#include "racedata/RaceOdds.h"
#include "racedata/Cp932.h"
#include "racedata/RaceFiles.h"
#include "racedata/Records.h"
#include "recommend/Ranking.h"
#include "tools/SampleData.h"

namespace {

// The records of 東京 11R (18 runners, result known) from the sample race day.
struct SampleRecords {
    UoRecord uo;
    ZoRecord zo;
    KsRecord ks;
    bool ok = false;

    SampleRecords() {
        QTemporaryDir dir;
        if (!dir.isValid() || !WriteSampleData(dir.path())) return;
        const auto read = [&](const char* prefix, int stemLength, FixedRecord& record) {
            const RaceFile file =
                FindRaceFile(dir.path(), QLatin1String(prefix), stemLength, 5, 11);
            return !file.path.isEmpty() && ReadRecord1(file.path, record);
        };
        ok = read("uo-", 5, uo) && read("zo-", 5, zo) && read("ks-", 7, ks);
    }
};

const SampleRecords& Records() {
    static const SampleRecords records;
    return records;
}

void BM_DecodeUo(benchmark::State& state) {
    const UoRecord& uo = Records().uo;
    for (auto _ : state) {
        benchmark::DoNotOptimize(uo.RaceDate());
        benchmark::DoNotOptimize(uo.RaceTitle());
        benchmark::DoNotOptimize(uo.Runners());
        for (int k = 0; k < UoLayout::EntryCount; ++k) benchmark::DoNotOptimize(uo.Quinella(k));
    }
}

void BM_DecodeZo(benchmark::State& state) {
    const ZoRecord& zo = Records().zo;
    for (auto _ : state) {
        benchmark::DoNotOptimize(zo.RaceDate());
        benchmark::DoNotOptimize(zo.RaceTitle());
        for (int h = 0; h < ZoLayout::HorseCount; ++h) benchmark::DoNotOptimize(zo.Horse(h));
        for (int t = 0; t < ZoLayout::BracketCount; ++t) benchmark::DoNotOptimize(zo.Bracket(t));
        benchmark::DoNotOptimize(zo.RunnerCount());
    }
}

void BM_DecodeKs(benchmark::State& state) {
    const KsRecord& ks = Records().ks;
    for (auto _ : state) {
        benchmark::DoNotOptimize(ks.RaceDate());
        benchmark::DoNotOptimize(ks.CourseName());
        benchmark::DoNotOptimize(ks.RaceNo());
        benchmark::DoNotOptimize(ks.RaceTitle());
        for (int i = 0; i < KsLayout::FinisherCount; ++i) benchmark::DoNotOptimize(ks.Place(i));
        benchmark::DoNotOptimize(ks.WinPayout());
        benchmark::DoNotOptimize(ks.PlacePayout1());
        benchmark::DoNotOptimize(ks.PlacePayout2());
        benchmark::DoNotOptimize(ks.PlacePayout3());
        benchmark::DoNotOptimize(ks.BracketCombo());
        benchmark::DoNotOptimize(ks.BracketPayout());
        benchmark::DoNotOptimize(ks.QuinellaCombo());
        benchmark::DoNotOptimize(ks.QuinellaPayout());
        benchmark::DoNotOptimize(ks.HasResult());
    }
}

// Floor of the decoding: the whole record in one conversion.
void BM_DecodeWholeRecord(benchmark::State& state, const FixedRecord* record) {
    for (auto _ : state) benchmark::DoNotOptimize(DecodeCp932(record->raw()));
}

void BM_Ranking(benchmark::State& state) {
    const auto horses = HorseEntries(Records().zo);
    for (auto _ : state) benchmark::DoNotOptimize(RankMarks(horses));
}

void BM_RankingFloor(benchmark::State& state) {
    const auto horses = HorseEntries(Records().zo);
    for (auto _ : state) {
        for (const HorseEntry& horse : horses) {
            benchmark::DoNotOptimize(NumericValue(horse.WinOdds));
            benchmark::DoNotOptimize(NumericValue(horse.PlaceOddsLow));
            benchmark::DoNotOptimize(NumericValue(horse.PlaceOddsHigh));
        }
    }
}

const QString Budget = QStringLiteral("10000");
const std::array<QString, DistributionRows> EightOdds = {QStringLiteral("3.5"),  QStringLiteral("7.2"),  QStringLiteral("12.8"),
                            QStringLiteral("15.1"), QStringLiteral("22.4"), QStringLiteral("31.9"),
                            QStringLiteral("48.3"), QStringLiteral("96.5")};

// The budget and eight odds read, spread, and the stakes, payouts and total as shown.
void BM_Distribution(benchmark::State& state) {
    DistributionSheet sheet(DistributionRows);
    for (auto _ : state) {
        sheet.setBudget(Budget);
        for (int i = 0; i < DistributionRows; ++i) sheet.setOdds(i, EightOdds[size_t(i)]);
        sheet.spread();
        for (const SheetRow& row : sheet.rows()) {
            benchmark::DoNotOptimize(StakeText(row.stake));
            benchmark::DoNotOptimize(PayoutText(row.payout));
        }
        benchmark::DoNotOptimize(StakeText(sheet.total()));
    }
}

void BM_DistributionFloor(benchmark::State& state) {
    for (auto _ : state) {
        benchmark::DoNotOptimize(NumericValue(Budget));
        double sum = 0;
        for (const QString& odds : EightOdds) sum += NumericValue(odds).value_or(0);
        for (int i = 0; i < 2 * DistributionRows + 1; ++i) {
            benchmark::DoNotOptimize(FormatGeneral(sum * (i + 1)));
        }
    }
}

// The starters of 東京 11R as a box text, "1 2 … 18" less any scratched.
QString BoxOfAll(const BuildField& field) {
    QStringList numbers;
    for (int h = 1; h <= field.runners(); ++h)
        if (!field.scratched[size_t(h - 1)]) numbers << QString::number(h);
    return numbers.join(u' ');
}

void BM_BuilderBox(benchmark::State& state) {
    const BuildField field = BuildFieldOf(RaceOddsOf(&Records().uo, &Records().zo));
    const QString box = BoxOfAll(field);
    for (auto _ : state) {
        const BuiltBets built =
            BuildBets(field, BetType::Quinella, BetForm::Box, box, QString(), false);
        DistributionSheet sheet;
        LeftOut leftOut;
        for (const BuiltBet& bet : built.bets) {
            const int row = sheet.addRow();
            sheet.setFirst(row, QString::number(bet.first));
            sheet.setSecond(row, QString::number(bet.second));
            sheet.setOdds(row, bet.odds);
            leftOut.push_back(bet.capped);
        }
        sheet.setBudget(std::optional<double>(100000));
        SpreadWithinBudget(sheet, leftOut);
        for (int i = 0; i < sheet.size(); ++i) {
            benchmark::DoNotOptimize(StakeText(sheet.row(i).stake));
            benchmark::DoNotOptimize(RowPayout(sheet, i));
            benchmark::DoNotOptimize(IsTrigami(sheet, i));
        }
        benchmark::DoNotOptimize(TotalLineOf(sheet));
    }
}

void BM_BuilderBoxFloor(benchmark::State& state) {
    const BuildField field = BuildFieldOf(RaceOddsOf(&Records().uo, &Records().zo));
    const BuiltBets built =
        BuildBets(field, BetType::Quinella, BetForm::Box, BoxOfAll(field), QString(), false);
    std::vector<QString> odds;
    for (const BuiltBet& bet : built.bets) odds.push_back(bet.odds);
    for (auto _ : state) {
        DistributionSheet sheet(int(odds.size()));
        for (int i = 0; i < sheet.size(); ++i) sheet.setOdds(i, odds[size_t(i)]);
        sheet.setBudget(std::optional<double>(100000));
        sheet.spread();
        for (const SheetRow& row : sheet.rows()) {
            benchmark::DoNotOptimize(StakeText(row.stake));
            benchmark::DoNotOptimize(PayoutText(row.payout));
        }
        benchmark::DoNotOptimize(SpreadOf(sheet));
    }
}

// The value list of 東京 11R (18 runners, 153 pairs, 36 bracket pairs) from its
// odds as read: the market's starters, the calibrated chances at β = 1.2, the
// chance of every pair and bracket pair, and the list's texts.
void BM_ValueList(benchmark::State& state) {
    const RaceOdds odds = RaceOddsOf(&Records().uo, &Records().zo);
    for (auto _ : state) {
        const RaceValue value = ValueOfRace(odds, AnalyseMarket(odds), 1.2);
        for (const ValueBet& bet : value.bets) benchmark::DoNotOptimize(ValueBetText(bet));
    }
}

void BM_ValueListFloor(benchmark::State& state) {
    const RaceOdds odds = RaceOddsOf(&Records().uo, &Records().zo);
    for (auto _ : state) {
        for (const auto* texts : {&odds.win, &odds.quinella})
            for (const QString& text : *texts) benchmark::DoNotOptimize(UsableOdds(text));
        for (const QString& text : odds.bracket) benchmark::DoNotOptimize(UsableOdds(text));
    }
}

// Keeps the median of each benchmark's repetitions, in seconds of CPU time per
// iteration: the machine is shared, and CPU time does not count the time this
// process waits for a core.
class MedianCollector : public benchmark::ConsoleReporter {
public:
    MedianCollector() : ConsoleReporter(OO_None) {}
    std::map<std::string, double> medians;

    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs) {
            if (run.aggregate_name != "median") continue;
            const double perIteration =
                run.GetAdjustedCPUTime() / benchmark::GetTimeUnitMultiplier(run.time_unit);
            medians[run.run_name.function_name] = perIteration;
        }
        ConsoleReporter::ReportRuns(runs);
    }
};

}  // namespace

int main(int argc, char** argv) {
    if (!Records().ok) {
        std::fprintf(stderr, "could not write or read the sample race day\n");
        return 1;
    }
    const auto add = [](const char* name, auto function) {
        benchmark::RegisterBenchmark(name, function)
            ->MinTime(0.1)
            ->Repetitions(5)
            ->ReportAggregatesOnly(true)
            ->Unit(benchmark::kNanosecond);
    };
    add("decode_uo", BM_DecodeUo);
    add("decode_uo_floor", [](benchmark::State& s) { BM_DecodeWholeRecord(s, &Records().uo); });
    add("decode_zo", BM_DecodeZo);
    add("decode_zo_floor", [](benchmark::State& s) { BM_DecodeWholeRecord(s, &Records().zo); });
    add("decode_ks", BM_DecodeKs);
    add("decode_ks_floor", [](benchmark::State& s) { BM_DecodeWholeRecord(s, &Records().ks); });
    add("ranking", BM_Ranking);
    add("ranking_floor", BM_RankingFloor);
    add("distribution", BM_Distribution);
    add("distribution_floor", BM_DistributionFloor);
    add("builder_box", BM_BuilderBox);
    add("builder_box_floor", BM_BuilderBoxFloor);
    add("value_list", BM_ValueList);
    add("value_list_floor", BM_ValueListFloor);

    benchmark::Initialize(&argc, argv);
    MedianCollector reporter;
    reporter.SetOutputStream(&std::cerr);  // the console report is the detail; rows go to stdout
    reporter.SetErrorStream(&std::cerr);
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();

    const struct {
        const char* name;
        const char* figure;
    } figures[] = {{"decode_uo", "decode uo- record, all fields (median CPU)"},
                   {"decode_zo", "decode zo- record, all fields (median CPU)"},
                   {"decode_ks", "decode ks- record, all fields (median CPU)"},
                   {"ranking", "ranking of 18 horses (median CPU)"},
                   {"distribution", "distribution of 8 rows (median CPU)"},
                   {"builder_box",
                    "馬連 ボックス of 18 built and spread 予算内, 153 bets, floor the "
                    "distribution's spread of them (median CPU)"}};
    for (const auto& f : figures) {
        const auto value = reporter.medians.find(f.name);
        const auto floor = reporter.medians.find(std::string(f.name) + "_floor");
        if (value == reporter.medians.end() || floor == reporter.medians.end()) continue;
        PrintRow({f.figure, FormatSeconds(value->second), FormatSeconds(floor->second),
                  value->second / floor->second, "-", std::nullopt});
    }
    const auto value = reporter.medians.find("value_list");
    const auto floor = reporter.medians.find("value_list_floor");
    if (value != reporter.medians.end() && floor != reporter.medians.end()) {
        PrintRow({"value list of 18 runners (153 pairs, 36 brackets) (median CPU)",
                  FormatSeconds(value->second), FormatSeconds(floor->second),
                  value->second / floor->second, "<= 2 ms", value->second <= 2e-3});
    }
    return 0;
}
