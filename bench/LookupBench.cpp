// Lookup scale: FindRaceFile in data directories of 100, 10,000 and 100,000
// files against a plain listing of the same directory (the floor). The
// directories are made once under the directory given as the argument and
// kept for later runs. A lookup keeps the listing of the course's files for
// the next one while the directory is unchanged; every timed lookup here is
// preceded by ForgetRaceListings, so that it lists the directory as the first
// lookup does.

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <cstdio>

#include "bench/BenchSupport.h"
#include "bench/DirListing.h"
#include "racedata/RaceFiles.h"

namespace {

// The i-th file name of a data directory: "ks-" files of the ten racecourses
// and twelve races, with a three-character part that changes every 120 names.
QString fileName(int i) {
    const int course = i % 10;
    const int race = (i / 10) % 12 + 1;
    const QString part = QString::number(i / 120, 36).rightJustified(3, u'0');
    return QStringLiteral("ks-%1%2%3.jra").arg(course).arg(part, RaceChar(race));
}

// A directory of exactly `count` files, made when it is missing or differs.
bool prepare(const QString& path, int count) {
    QDir dir(path);
    if (dir.exists() && dir.entryList(QDir::Files).size() == count) return true;
    if (dir.exists() && !dir.removeRecursively()) return false;
    if (!QDir().mkpath(path)) return false;
    std::fprintf(stderr, "making %d files in %s\n", count, qPrintable(path));
    for (int i = 0; i < count; ++i) {
        QFile file(dir.filePath(fileName(i)));
        if (!file.open(QIODevice::WriteOnly)) return false;
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s <directory for the lookup data>\n", argv[0]);
        return 2;
    }
    const QString root = QString::fromLocal8Bit(argv[1]);
    const struct {
        int files;
        int runs;
    } sizes[] = {{100, 1000}, {10000, 100}, {100000, 20}};

    for (const auto& size : sizes) {
        const QString path = QDir(root).filePath(QString::number(size.files));
        if (!prepare(path, size.files)) {
            std::fprintf(stderr, "cannot make %s\n", qPrintable(path));
            return 1;
        }
        // 東京 (5), race 10: the stem of the first "ks-5*.jra" is ks-5000, and
        // ks-5000a.jra is there at every size.
        const auto lookup = [&] { return FindRaceFile(path, QStringLiteral("ks-"), 7, 5, 10); };
        if (lookup().path.isEmpty() || PlainListing(path).size() != size.files) {
            std::fprintf(stderr, "lookup data in %s is not as expected\n", qPrintable(path));
            return 1;
        }
        std::vector<double> found, listed;
        for (int run = 0; run < size.runs; ++run) {
            ForgetRaceListings();
            Stamp start = TakeStamp();
            const RaceFile file = lookup();
            found.push_back(Elapsed(start, TakeStamp()));
            start = TakeStamp();
            const QStringList names = PlainListing(path);
            listed.push_back(Elapsed(start, TakeStamp()));
            if (file.path.isEmpty() || names.isEmpty()) return 1;
        }
        const double value = Median(found), floor = Median(listed);
        PrintRow({"lookup in " + std::to_string(size.files) + " files (median" + ClockNote() + ")",
                  FormatSeconds(value), FormatSeconds(floor), value / floor, "<= 1.5 x floor",
                  value <= 1.5 * floor});
    }
    return 0;
}
