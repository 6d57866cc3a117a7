#include "bench/ProcessProbe.h"

#include <QFile>
#include <cstdio>
#include <cstdlib>
#include <ctime>

namespace {

// VmHWM of /proc/self/status: the peak resident set size so far, in kB.
long peakRssKb() {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly)) return -1;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmHWM:")) return line.mid(6).trimmed().split(' ').value(0).toLong();
    }
    return -1;
}

long long monotonicNs() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec;
}

}  // namespace

void ReportFirstPixels() {
    std::printf("FIRST %lld\n", monotonicNs());
    std::fflush(stdout);
}

void ReportFirstPaintAndQuit(QSize windowSize) {
    std::printf("PAINTED %lld %d %d %ld\n", monotonicNs(), windowSize.width(), windowSize.height(),
                peakRssKb());
    std::fflush(stdout);
    // Nothing after the first paint is measured: end without the teardown.
    std::_Exit(0);
}
