#pragma once

// Shared pieces of the benchmark programs: clocks, medians and the rows of the
// one table that tools/bench.sh prints.

#include <chrono>
#include <optional>
#include <string>
#include <vector>

using BenchClock = std::chrono::steady_clock;

// Seconds between two instants of the steady clock.
inline double SecondsBetween(BenchClock::time_point from, BenchClock::time_point to) {
    return std::chrono::duration<double>(to - from).count();
}

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
