#include "bench/BenchSupport.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>

bool CpuClock() {
    static const bool cpu = [] {
        const char* clock = std::getenv("ZEM_BENCH_CLOCK");
        return clock && std::strcmp(clock, "cpu") == 0;
    }();
    return cpu;
}

std::string ClockNote() {
    return CpuClock() ? ", CPU" : "";
}

Stamp TakeStamp() {
    timespec cpu{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &cpu);
    return {BenchClock::now(), cpu.tv_sec + cpu.tv_nsec * 1e-9};
}

double Elapsed(const Stamp& from, const Stamp& to) {
    return CpuClock() ? to.cpu - from.cpu : SecondsBetween(from.wall, to.wall);
}

double Median(std::vector<double> values) {
    if (values.empty()) return 0;
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 == 1 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

namespace {

std::string formatted(const char* format, double value) {
    char text[64];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

// Three significant digits are plenty for timings that vary by a few percent.
std::string threeDigits(double value, const char* unit) {
    const char* format = value >= 100 ? "%.0f %s" : value >= 10 ? "%.1f %s" : "%.2f %s";
    char text[64];
    std::snprintf(text, sizeof text, format, value, unit);
    return text;
}

}  // namespace

std::string FormatSeconds(double seconds) {
    if (seconds >= 1) return threeDigits(seconds, "s");
    if (seconds >= 1e-3) return threeDigits(seconds * 1e3, "ms");
    if (seconds >= 1e-6) return threeDigits(seconds * 1e6, "us");
    return threeDigits(seconds * 1e9, "ns");
}

std::string FormatMiB(double bytes) {
    return formatted("%.1f MiB", bytes / (1024.0 * 1024.0));
}

void PrintRow(const TableRow& row) {
    const std::string met = row.met ? (*row.met ? "yes" : "NO") : "-";
    std::printf("ROW\t%s\t%s\t%s\t%.2f\t%s\t%s\n", row.figure.c_str(), row.value.c_str(),
                row.floor.c_str(), row.ratio, row.budget.c_str(), met.c_str());
    std::fflush(stdout);
}

TimedPair Alternate(const std::function<double(int)>& real, const std::function<double(int)>& floor,
                    int warmups, int runs) {
    TimedPair times;
    for (int i = 0; i < warmups + runs; ++i) {
        const double r = real(i);
        const double f = floor(i);
        if (i < warmups) continue;
        times.real.push_back(r);
        times.floor.push_back(f);
    }
    return times;
}

void PrintBudgetRow(const std::string& figure, const TimedPair& times, double budget) {
    const double value = Median(times.real), floor = Median(times.floor);
    PrintRow({figure + " (median of " + std::to_string(times.real.size()) + ClockNote() + ")",
              FormatSeconds(value), FormatSeconds(floor), value / floor,
              "<= " + FormatSeconds(budget), value <= budget});
}
