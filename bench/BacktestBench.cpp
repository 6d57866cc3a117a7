// The returns analysis at a season's size: 10,000 races (417 race days of the
// sample season, about 140,000 starters) read, tabled and fitted by
// zem-analyse, beside a bare read of the same files; and Frm_Backtest opened
// on them, its first paint beside the end of its reading, which runs in a
// worker thread. The season is generated on the first run.
//
//   zem-bench-backtest DATADIR

#include <QApplication>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QPointer>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <cstdio>
#include <cstdlib>

#include "settings/BacktestFolders.h"
#include "backtest/Frm_Backtest.h"
#include "bench/BenchSupport.h"
#include "bench/PaintWatch.h"
#include "common/Fonts.h"
#include "common/MessageBox.h"
#include "racedata/AppState.h"
#include "racedata/OddsHistory.h"
#include "tools/SampleSeason.h"

namespace {

constexpr int Days = 417;  // 24 races a day: 10,008 races
constexpr int Runs = 5;

[[noreturn]] void fail(const QString& why) {
    std::fprintf(stderr, "backtest benchmark: %s\n", qPrintable(why));
    std::exit(1);
}

// Every data file of the season read whole, as the floor of the analysis.
double bareRead(const QString& dir) {
    const auto start = BenchClock::now();
    qint64 bytes = 0;
    QDirIterator it(dir, {QStringLiteral("*.jra")}, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        QFile file(it.next());
        if (file.open(QIODevice::ReadOnly)) bytes += file.readAll().size();
    }
    if (bytes == 0) fail(QStringLiteral("no data files"));
    return SecondsBetween(start, BenchClock::now());
}

double analyse(const QString& program, const QString& dir) {
    QProcess process;
    const auto start = BenchClock::now();
    process.start(program, {dir});
    if (!process.waitForFinished(60000) || process.exitCode() != 0)
        fail(QStringLiteral("zem-analyse failed: ") +
             QString::fromLocal8Bit(process.readAllStandardError()));
    const double seconds = SecondsBetween(start, BenchClock::now());
    const QString last =
        QString::fromUtf8(process.readAllStandardOutput()).trimmed().section(u'\n', -1);
    if (!last.endsWith(QStringLiteral("（10,008 レース）")))
        fail(QStringLiteral("unexpected: ") + last);
    return seconds;
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc < 2) fail(QStringLiteral("usage: zem-bench-backtest DATADIR"));
    QApplication::setFont(UiFont(9));
    SetMessageHandler([](const MessageRequest& request) -> MsgAnswer {
        fail(QStringLiteral("message: ") + request.text);
    });
    const QString dir = QString::fromLocal8Bit(argv[1]);
    if (!QFileInfo::exists(dir + QStringLiteral("/complete"))) {
        QDir(dir).removeRecursively();
        if (!WriteSampleSeason(dir, Days) ||
            !QFile(dir + QStringLiteral("/complete")).open(QIODevice::WriteOnly))
            fail(QStringLiteral("cannot write the season"));
    }
    const QString program = QCoreApplication::applicationDirPath() + QStringLiteral("/zem-analyse");

    // Wall time for the command: a process of its own, whatever the clock.
    TimedPair command;
    for (int i = 0; i < Runs + 1; ++i) {
        const double real = analyse(program, dir), floor = bareRead(dir);
        if (i == 0) continue;  // warm-up
        command.real.push_back(real);
        command.floor.push_back(floor);
    }
    const double value = Median(command.real), floor = Median(command.floor);
    PrintRow(
        {"zem-analyse, 10,008 races (140k starters) read, tabled and fitted, floor a bare "
         "read of the files (median of " +
             std::to_string(Runs) + ", wall)",
         FormatSeconds(value), FormatSeconds(floor), value / floor, "<= 2 s", value <= 2.0});

    // The window over the same races: first paint against the end of the read.
    QTemporaryDir config;
    SetBacktestSettingsPath(config.filePath(QStringLiteral("backtest.ini")));
    SetOddsHistoryPath(config.filePath(QStringLiteral("odds-history.sqlite")));
    AppState state;
    state.DataDir = dir;
    PaintWatch watch;
    TimedPair window;
    for (int i = 0; i < Runs + 1; ++i) {
        watch.arm(WindowNamed(QStringLiteral("Frm_Backtest")));
        QPointer<Frm_Backtest> shown;
        const Stamp start = TakeStamp();
        Frm_Backtest::Show(shown, state);
        Stamp loaded;
        bool done = false;
        QObject::connect(shown, &Frm_Backtest::Loaded, [&] {
            loaded = TakeStamp();
            done = true;
        });
        if (!watch.wait()) fail(QStringLiteral("Frm_Backtest did not paint"));
        const bool paintedFirst = !done;
        if (!QTest::qWaitFor([&] { return done; }, 60000))
            fail(QStringLiteral("no end of reading"));
        if (!paintedFirst) fail(QStringLiteral("the reading ended before the first paint"));
        if (shown->analysis().races != Days * 24) fail(QStringLiteral("races missing"));
        const double paint = Elapsed(start, watch.ended()), read = Elapsed(start, loaded);
        shown->close();
        SettleEvents();
        if (i == 0) continue;
        window.real.push_back(paint);
        window.floor.push_back(read);
    }
    const double paint = Median(window.real), read = Median(window.floor);
    PrintRow(
        {"Frm_Backtest open to first paint, floor the end of its reading, 10,008 races "
         "(median of " +
             std::to_string(Runs) + ClockNote() + ")",
         FormatSeconds(paint), FormatSeconds(read), paint / read, "< end of reading",
         paint < read});
    return 0;
}
