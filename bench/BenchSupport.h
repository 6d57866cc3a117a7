#pragma once

// Shared pieces of the benchmark programs: clocks, medians and the rows of the
// one table that tools/bench.sh prints.

#include <chrono>
#include <functional>
#include <optional>
#include <string>
#include <vector>

using BenchClock = std::chrono::steady_clock;

// Seconds between two instants of the steady clock.
inline double SecondsBetween(BenchClock::time_point from, BenchClock::time_point to) {
    return std::chrono::duration<double>(to - from).count();
}

// The clock of the timed figures. The steady clock (wall time) by default; with
// ZEM_BENCH_CLOCK=cpu in the environment, the CPU time of the measuring thread,
// which leaves out the time spent waiting for a core on a busy machine (every
// timed step runs on the one user-interface thread).
bool CpuClock();
// Appended to the figure names: "" for wall time, ", CPU" for CPU time.
std::string ClockNote();

struct Stamp {
    BenchClock::time_point wall;
    double cpu = 0;  // seconds of thread CPU time
};
Stamp TakeStamp();
// Seconds from one stamp to a later one, by the chosen clock.
double Elapsed(const Stamp& from, const Stamp& to);

double Median(std::vector<double> values);

// A duration in seconds as text in a unit that suits it ("48.3 ms", "2.41 us").
std::string FormatSeconds(double seconds);
// A size in bytes as text in MiB ("41.2 MiB").
std::string FormatMiB(double bytes);

// One row of the result table: the figure, its floor measured in the same
// run, their ratio, the budget and whether it is met. Printed as one line
// "ROW<TAB>figure<TAB>value<TAB>floor<TAB>ratio<TAB>budget<TAB>met" that
// tools/bench.sh collects from every program into the table.
struct TableRow {
    std::string figure;
    std::string value;
    std::string floor;
    double ratio = 0;
    std::string budget = "-";
    std::optional<bool> met;  // nullopt: no budget for this figure
};

void PrintRow(const TableRow& row);

// Times of a figure and of its floor, the runs alternating (run i of each,
// then run i + 1), the first `warmups` of each left out.
struct TimedPair {
    std::vector<double> real, floor;
};
TimedPair Alternate(const std::function<double(int run)>& real,
                    const std::function<double(int run)>& floor, int warmups, int runs);

// The row of a figure with an absolute budget in seconds: "figure (median of
// N)", the two medians, their ratio, "<= budget".
void PrintBudgetRow(const std::string& figure, const TimedPair& times, double budget);
