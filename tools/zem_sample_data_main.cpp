// zem-sample-data DIRECTORY: writes a sample PAT95 data directory for ZEM.
#include <QFile>
#include <QTextStream>
#include <cstdio>

#include "tools/SampleData.h"

int main(int argc, char** argv) {
    QTextStream err(stderr);
    if (argc != 2) {
        err << "usage: zem-sample-data DIRECTORY\n"
            << "Writes sample PAT95 odds and result files for one race day into DIRECTORY.\n";
        return 2;
    }
    const QString directory = QFile::decodeName(argv[1]);
    if (!WriteSampleData(directory)) {
        err << "zem-sample-data: cannot write the sample data into " << directory << '\n';
        return 1;
    }
    return 0;
}
