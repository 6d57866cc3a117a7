#include "common/AtomicWrite.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

std::optional<AtomicWriteFailure> WriteAtomically(const QString& path, const QByteArray& bytes) {
    using Step = AtomicWriteFailure::Step;
    const QFileInfo info(path);
    if (info.isDir()) return AtomicWriteFailure{Step::IsFolder, {}};
    if (!info.absoluteDir().exists()) return AtomicWriteFailure{Step::NoFolder, {}};
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) return AtomicWriteFailure{Step::Open, file.errorString()};
    if (file.write(bytes) != bytes.size()) {
        AtomicWriteFailure failure{Step::Write, file.errorString()};
        file.cancelWriting();
        return failure;
    }
    if (!file.commit()) return AtomicWriteFailure{Step::Commit, file.errorString()};
    return std::nullopt;
}
