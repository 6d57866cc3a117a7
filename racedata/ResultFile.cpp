#include "racedata/ResultFile.h"

#include "common/RaceDate.h"
#include "racedata/RaceFiles.h"

std::optional<ResultFile> ReadResultFile(const QString& path) {
    const std::optional<QByteArray> read = ReadFileHead(path, KsRecord::Length);
    if (!read) return std::nullopt;
    const QByteArray& bytes = *read;
    ResultFile r;
    r.ks.assign(bytes);
    r.complete = bytes.size() == KsRecord::Length;
    r.blankDate = !r.ks.HasResult();
    r.date = RecordDate(r.ks.RaceDate());
    return r;
}
