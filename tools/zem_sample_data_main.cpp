// zem-sample-data [--download N] DIRECTORY: writes a sample PAT95 data directory
// for ZEM, or a later download of its odds.
#include <QFile>
#include <QTextStream>
#include <cstdio>
#include <cstring>

#include "tools/SampleData.h"

int main(int argc, char** argv) {
    QTextStream err(stderr);
    int download = 0;
    bool ok = argc == 2;
    if (argc == 4 && std::strcmp(argv[1], "--download") == 0) {
        download = QByteArray(argv[2]).toInt(&ok);
        ok = ok && download >= 1 && download <= 99;
    }
    if (!ok) {
        err << "usage: zem-sample-data [--download N] DIRECTORY\n"
            << "Writes sample PAT95 odds and result files of two race days (2026-11-29 and\n"
            << "2026-12-06) into DIRECTORY.\n"
            << "With --download N (1 to 99) it writes only the odds files again, as the N-th\n"
            << "later download of the day, the market drifting toward the result.\n";
        return 2;
    }
    const QString directory = QFile::decodeName(argv[argc - 1]);
    if (!WriteSampleData(directory, download)) {
        err << "zem-sample-data: cannot write the sample data into " << directory << '\n';
        return 1;
    }
    return 0;
}
