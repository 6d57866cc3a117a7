#include "racedata/ResultFile.h"

#include <QFile>

#include "common/RaceDate.h"

std::optional<ResultFile> ReadResultFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return std::nullopt;
    const QByteArray bytes = file.read(KsRecord::Length);
    if (file.error() != QFileDevice::NoError) return std::nullopt;
    ResultFile r;
    r.ks.assign(bytes);
    r.complete = bytes.size() == KsRecord::Length;
    r.blankDate = !r.ks.HasResult();
    r.date = RecordDate(r.ks.RaceDate());
    return r;
}
