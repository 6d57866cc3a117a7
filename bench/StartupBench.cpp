// Start-up: whole-process wall time from launch to the main window's first
// paint, and peak resident size, of zem (with the start-up probe linked in)
// side by side with a bare Qt Widgets program showing one empty window of the
// main window's size; alternating runs, offscreen, median of each.
//
// Usage: zem-bench-startup <zem with probe> <bare window program> [runs]

#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <sstream>
#include <string>

#include "bench/BenchSupport.h"

extern char** environ;

namespace {

struct Launch {
    bool ok = false;
    double seconds = 0;    // launch to the end of the first paint
    double peakBytes = 0;  // maximum resident set size of the whole process
    int width = 0, height = 0;
};

long long monotonicNs() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec;
}

Launch launch(const std::string& program, const std::vector<std::string>& arguments) {
    Launch result;
    int out[2];
    if (pipe(out) != 0) return result;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, out[0]);
    posix_spawn_file_actions_addclose(&actions, out[1]);

    std::vector<char*> argv{const_cast<char*>(program.c_str())};
    for (const std::string& a : arguments) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);

    pid_t pid = 0;
    const long long start = monotonicNs();
    const int spawned = posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    close(out[1]);
    if (spawned != 0) {
        close(out[0]);
        return result;
    }
    std::string text;
    char buffer[512];
    for (ssize_t n; (n = read(out[0], buffer, sizeof buffer)) > 0;) text.append(buffer, n);
    close(out[0]);
    int status = 0;
    rusage usage{};
    if (wait4(pid, &status, 0, &usage) != pid || !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        return result;
    }

    std::istringstream report(text.substr(std::min(text.find("PAINTED "), text.size())));
    std::string word;
    long long paintedNs = 0;
    long hwmKb = 0;
    if (!(report >> word >> paintedNs >> result.width >> result.height >> hwmKb)) return result;
    // The child ends at once after its first paint, so its CPU time is that of
    // the start-up alone.
    const auto cpu = [](const timeval& t) { return t.tv_sec + t.tv_usec * 1e-6; };
    result.seconds =
        CpuClock() ? cpu(usage.ru_utime) + cpu(usage.ru_stime) : (paintedNs - start) * 1e-9;
    result.peakBytes = usage.ru_maxrss * 1024.0;  // ru_maxrss is in kB on Linux
    result.ok = true;
    return result;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s <zem with probe> <bare window program> [runs]\n", argv[0]);
        return 2;
    }
    const std::string zem = argv[1], bare = argv[2];
    const int runs = argc > 3 ? std::max(10, std::atoi(argv[3])) : 15;
    setenv("QT_QPA_PLATFORM", "offscreen", 1);

    // Warm-up, not counted: fills the file cache, lets zem write its settings
    // file if it has none, and tells the main window's size for the bare one.
    Launch first;
    for (int i = 0; i < 2; ++i) first = launch(zem, {});
    if (!first.ok) {
        std::fprintf(stderr, "%s did not report its first paint\n", zem.c_str());
        return 1;
    }
    const std::vector<std::string> size{std::to_string(first.width), std::to_string(first.height)};
    for (int i = 0; i < 2; ++i) launch(bare, size);

    std::vector<double> zemSeconds, bareSeconds, zemPeak, barePeak;
    for (int i = 0; i < runs; ++i) {
        for (int k = 0; k < 2; ++k) {
            const bool zemTurn = (i + k) % 2 == 0;  // alternate which goes first
            const Launch run = zemTurn ? launch(zem, {}) : launch(bare, size);
            if (!run.ok) {
                std::fprintf(stderr, "a start-up run failed\n");
                return 1;
            }
            (zemTurn ? zemSeconds : bareSeconds).push_back(run.seconds);
            (zemTurn ? zemPeak : barePeak).push_back(run.peakBytes);
        }
    }

    const double time = Median(zemSeconds), timeFloor = Median(bareSeconds);
    const double peak = Median(zemPeak), peakFloor = Median(barePeak);
    const std::string count = std::to_string(runs);
    PrintRow({"start-up to main window painted (median of " + count + ClockNote() + ")",
              FormatSeconds(time), FormatSeconds(timeFloor), time / timeFloor, "<= 1.25 x floor",
              time <= 1.25 * timeFloor});
    PrintRow({"start-up peak RSS (median of " + count + ")", FormatMiB(peak), FormatMiB(peakFloor),
              peak / peakFloor, "<= floor + 15 MiB", peak <= peakFloor + 15 * 1024.0 * 1024.0});
    return 0;
}
