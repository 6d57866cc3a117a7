#include "backtest/AnalyseCommand.h"

#include <QIODevice>
#include <QTextStream>

#include "backtest/Backtest.h"
#include "common/Csv.h"

int RunAnalyseCommand(const QStringList& arguments, QTextStream& out, QTextStream& err) {
    RaceSources sources;
    bool csv = false;
    bool ok = true;
    for (int i = 0; i < arguments.size(); ++i) {
        const QString& arg = arguments[i];
        if (arg == QLatin1String("--csv")) {
            csv = true;
        } else if (arg == QLatin1String("--history")) {
            sources.history = true;
        } else if (arg == QLatin1String("--from") || arg == QLatin1String("--to")) {
            const QDate date =
                i + 1 < arguments.size() ? QDate::fromString(arguments[++i], Qt::ISODate) : QDate();
            ok = ok && date.isValid();
            (arg == QLatin1String("--from") ? sources.from : sources.to) = date;
        } else if (arg.startsWith(QLatin1Char('-'))) {
            ok = false;
        } else {
            sources.folders << arg;
        }
    }
    if (!ok || sources.folders.isEmpty()) {
        err << "usage: zem-analyse [--csv] [--history] [--from YYYY-MM-DD] [--to YYYY-MM-DD] "
               "DIR...\n"
            << "Reads the races of the PAT95 folders DIR (and their subfolders), with --history\n"
            << "also ZEM's odds history, and prints the returns by odds band and popularity and\n"
            << "the calibration of the odds; --csv prints them as CSV.\n";
        return 2;
    }
    const RaceReading reading = ReadRaces(sources);
    for (const QString& folder : reading.unreadable) {
        err << "zem-analyse: " << folder << ": フォルダを読めません\n";
    }
    if (reading.unreadable.size() == sources.folders.size()) return 1;
    const BacktestAnalysis analysis = Analyse(reading);
    if (csv) {
        WriteCsvTo(out, AnalysisCsv(analysis));
    } else {
        out << AnalysisReport(analysis);
    }
    out.flush();
    return 0;
}
