#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

// Why a file could not be replaced: the step that failed and the system's words
// for it (empty when the system gave none).
struct AtomicWriteFailure {
    enum class Step {
        IsFolder,  // a folder has the file's name
        NoFolder,  // the file's folder does not exist
        Open,      // the temporary file could not be created
        Write,     // not every byte was written
        Commit,    // the temporary file could not replace the file
    };
    Step step;
    QString systemText;
};

// Replaces the file at path with bytes in one step (QSaveFile writes a temporary
// file beside it and renames it over the file only when everything was written):
// the old file stays intact unless the whole new content was written. The one
// writer of the settings file and of every file the user saves.
std::optional<AtomicWriteFailure> WriteAtomically(const QString& path, const QByteArray& bytes);
