// zem-sample-data [--download N | --season N] DIRECTORY: writes a sample PAT95
// data directory for ZEM, a later download of its odds, or a season of race days.
#include <QFile>
#include <QTextStream>
#include <cstdio>
#include <cstring>

#include "tools/SampleData.h"
#include "tools/SampleSeason.h"

int main(int argc, char** argv) {
    QTextStream err(stderr);
    int download = 0;
    int season = 0;
    bool ok = argc == 2;
    if (argc == 4 && std::strcmp(argv[1], "--download") == 0) {
        download = QByteArray(argv[2]).toInt(&ok);
        ok = ok && download >= 1 && download <= 99;
    }
    if (argc == 4 && std::strcmp(argv[1], "--season") == 0) {
        season = QByteArray(argv[2]).toInt(&ok);
        ok = ok && season >= 1 && season <= 5000;
    }
    if (!ok) {
        err << "usage: zem-sample-data [--download N | --season N] DIRECTORY\n"
            << "Writes sample PAT95 odds and result files of two race days (2026-11-29 and\n"
            << "2026-12-06) into DIRECTORY.\n"
            << "With --download N (1 to 99) it writes only the odds files again, as the N-th\n"
            << "later download of the day, the market drifting toward the result.\n"
            << "With --season N (1 to 5000) it writes N race days, one subdirectory each, two\n"
            << "racecourses of 12 races a day, the winners drawn with chances p ∝ π^"
            << SampleSeasonBeta << " (π from the odds).\n";
        return 2;
    }
    const QString directory = QFile::decodeName(argv[argc - 1]);
    if (season > 0 ? !WriteSampleSeason(directory, season)
                   : !WriteSampleData(directory, download)) {
        err << "zem-sample-data: cannot write the sample data into " << directory << '\n';
        return 1;
    }
    return 0;
}
