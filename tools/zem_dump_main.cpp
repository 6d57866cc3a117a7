// zem-dump FILE: prints the fields of a PAT95 "uo-", "zo-" or "ks-" data file.
#include <QFile>
#include <QTextStream>
#include <cstdio>

#include "tools/DataDump.h"

int main(int argc, char** argv) {
    QTextStream out(stdout);
    QTextStream err(stderr);
    if (argc != 2) {
        err << "usage: zem-dump FILE\n"
            << "Prints every field of a PAT95 uo-, zo- or ks- data file, one field a line.\n";
        return 2;
    }
    return DumpDataFile(QFile::decodeName(argv[1]), out, err);
}
