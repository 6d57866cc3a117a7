// Start-up: whole-process wall time from launch to the first pixels (zem's
// splash painted) and to the main window's first paint, and peak resident size, of zem (with the start-up probe linked in)
// side by side with a bare Qt Widgets program showing one empty window of the
// main window's size; alternating runs, offscreen, median of each.
//
// Usage: zem-bench-startup <zem with probe> <bare window program> [runs]
//        [reference window program] [zem with probe, earlier build]
// The reference (a window with two labels in the UI font), when given, runs
// in turn with the others and is the floor of the budgets; the bare window is
// then reported beside it without a budget. The earlier build, when given, runs
// in turn too, and zem is set beside it: a change must not cost start-up more
// than 3 % of time or peak memory.

#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <numeric>
#include <random>
#include <sstream>
#include <string>

#include "bench/BenchSupport.h"

extern char** environ;

namespace {

struct Launch {
    bool ok = false;
    double seconds = 0;    // launch to the end of the main window's first paint
    double firstSeconds = 0;  // launch to the first pixels (zem's splash; else the window)
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

    long long firstNs = 0;
    if (const auto at = text.find("FIRST "); at != std::string::npos) {
        std::istringstream first(text.substr(at + 6));
        first >> firstNs;
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
    result.firstSeconds = ((firstNs > 0 ? firstNs : paintedNs) - start) * 1e-9;
    result.peakBytes = usage.ru_maxrss * 1024.0;  // ru_maxrss is in kB on Linux
    result.ok = true;
    return result;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr,
                     "usage: %s <zem with probe> <bare window program> [runs] [reference window "
                     "program] [zem with probe, earlier build]\n",
                     argv[0]);
        return 2;
    }
    const int runs = argc > 3 ? std::max(10, std::atoi(argv[3])) : 15;
    setenv("QT_QPA_PLATFORM", "offscreen", 1);

    struct Program {
        std::string path;
        std::vector<std::string> arguments;
        std::vector<double> seconds, firstSeconds, peak;
    };
    std::vector<Program> programs{{argv[1], {}, {}, {}, {}}, {argv[2], {}, {}, {}, {}}};
    if (argc > 4) programs.push_back({argv[4], {}, {}, {}, {}});
    if (argc > 5) programs.push_back({argv[5], {}, {}, {}, {}});

    // Warm-up, not counted: fills the file cache, lets zem write its settings
    // file if it has none, and tells the main window's size for the others.
    Launch first;
    for (int i = 0; i < 2; ++i) first = launch(programs[0].path, {});
    if (!first.ok) {
        std::fprintf(stderr, "%s did not report its first paint\n", programs[0].path.c_str());
        return 1;
    }
    for (std::size_t p = 1; p < programs.size(); ++p) {
        if (p == 3) {  // the earlier zem
            for (int i = 0; i < 2; ++i) launch(programs[p].path, {});
            continue;
        }
        programs[p].arguments = {std::to_string(first.width), std::to_string(first.height)};
        for (int i = 0; i < 2; ++i) launch(programs[p].path, programs[p].arguments);
    }

    // The programs take turns in an order shuffled each round (the same
    // shuffle every run): a program that always ran right after the same
    // other one measured up to a fifth slower after a zem than after a bare
    // window, so each program follows each of the others about as often.
    std::vector<std::size_t> order(programs.size());
    std::iota(order.begin(), order.end(), std::size_t{0});
    std::mt19937 shuffler(20261207);
    for (int i = 0; i < runs; ++i) {
        std::shuffle(order.begin(), order.end(), shuffler);
        for (const std::size_t k : order) {
            Program& program = programs[k];
            const Launch run = launch(program.path, program.arguments);
            if (!run.ok) {
                std::fprintf(stderr, "a start-up run of %s failed\n", program.path.c_str());
                return 1;
            }
            program.seconds.push_back(run.seconds);
            program.firstSeconds.push_back(run.firstSeconds);
            program.peak.push_back(run.peakBytes);
        }
    }

    // The budgets in force stand against the two-label window (a Japanese Qt
    // program cannot start with less: the font system and the Japanese faces
    // are most of it); the bare window, which draws no text, is shown beside
    // it for reference. Without the two-label program the bare one is the floor.
    const bool haveReference = programs.size() > 2;
    const Program& floorProgram = programs[haveReference ? 2 : 1];
    const double timeFloor = Median(floorProgram.seconds), peakFloor = Median(floorProgram.peak);
    const std::string count = " (median of " + std::to_string(runs);
    const auto timeRow = [&](const std::string& figure, const Program& program,
                             std::optional<bool> met, const std::string& budget) {
        const double time = Median(program.seconds);
        PrintRow({figure + count + ClockNote() + ")", FormatSeconds(time), FormatSeconds(timeFloor),
                  time / timeFloor, budget, met});
    };
    const auto peakRow = [&](const std::string& figure, const Program& program,
                             std::optional<bool> met, const std::string& budget) {
        const double peak = Median(program.peak);
        PrintRow({figure + count + ")", FormatMiB(peak), FormatMiB(peakFloor), peak / peakFloor,
                  budget, met});
    };
    const double time = Median(programs[0].seconds), peak = Median(programs[0].peak);
    const std::string against = haveReference ? " against 2 labels in the UI font" : "";
    const std::string what = haveReference ? "reference" : "floor";
    const std::string timeBudget = haveReference ? "<= 1.15 x " + what : "<= 1.25 x " + what;
    const double timeFactor = haveReference ? 1.15 : 1.25;
    if (!CpuClock()) {
        // The time budget is on the first pixels the user sees: zem's splash
        // against the floor's only window. The main window follows the splash
        // and is shown beside it without a budget of its own.
        const double first = Median(programs[0].firstSeconds),
                     firstFloor = Median(floorProgram.firstSeconds);
        PrintRow({"start-up to first pixels (the splash painted)" + against + count + ")",
                  FormatSeconds(first), FormatSeconds(firstFloor), first / firstFloor, timeBudget,
                  first <= timeFactor * firstFloor});
        timeRow("start-up to main window painted" + against, programs[0], std::nullopt, "-");
    } else {
        // A process's CPU time is known only at its end, after the main window.
        timeRow("start-up to main window painted" + against, programs[0],
                time <= timeFactor * timeFloor, timeBudget);
    }
    peakRow("start-up peak RSS" + against, programs[0],
            peak <= peakFloor + (haveReference ? 10 : 15) * 1024.0 * 1024.0,
            haveReference ? "<= " + what + " + 10 MiB" : "<= " + what + " + 15 MiB");
    if (haveReference) {
        timeRow("reference: bare window without text, start-up", programs[1], std::nullopt, "-");
        peakRow("reference: bare window without text, peak RSS", programs[1], std::nullopt, "-");
    }
    if (programs.size() > 3) {
        const double beforeTime = Median(programs[3].seconds),
                     beforePeak = Median(programs[3].peak);
        PrintRow({"start-up to main window painted, against the earlier build" + count +
                      ClockNote() + ")",
                  FormatSeconds(time), FormatSeconds(beforeTime), time / beforeTime,
                  "<= 1.03 x earlier", time <= 1.03 * beforeTime});
        PrintRow({"start-up peak RSS, against the earlier build" + count + ")", FormatMiB(peak),
                  FormatMiB(beforePeak), peak / beforePeak, "<= 1.03 x earlier",
                  peak <= 1.03 * beforePeak});
    }
    return 0;
}
