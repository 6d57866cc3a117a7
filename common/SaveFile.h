#pragma once

#include <QByteArray>
#include <QString>
#include <functional>
#include <optional>

class QWidget;

// Saving a file the user names: one save dialog, one confirmation before an
// existing file is replaced, one atomic write, one failure message, for every
// window that saves something.

// The save dialog: returns the chosen file name, or an empty one when the user
// cancels. fileName is the name it proposes; filter the kinds of file it lists
// ("CSV (*.csv)"), empty for every file.
using SaveFileDialog =
    std::function<QString(QWidget* parent, const QString& fileName, const QString& filter)>;
// Replaces the save dialog; an empty one restores QFileDialog.
void SetSaveFileDialog(SaveFileDialog dialog);

// The open dialog: the chosen file name, empty when the user cancels; it
// starts at start (a file or folder) and lists the kinds of file in filter.
using OpenFileDialog =
    std::function<QString(QWidget* parent, const QString& start, const QString& filter)>;
// Replaces the open dialog; an empty one restores QFileDialog.
void SetOpenFileDialog(OpenFileDialog dialog);
QString AskOpenFileName(QWidget* parent, const QString& start, const QString& filter);

// A kind of file to save: the name proposed (in the folder of the last save),
// the dialog's filter, and the extension added to a name typed without one.
struct SaveKind {
    QString proposedName;  // empty: the name chosen last time
    QString filter;
    QString suffix;  // without the dot
};
// A CSV file proposed as name (".csv" included).
SaveKind CsvFile(const QString& name);

// Asks for a file name, starting from lastFileName (which then holds the chosen
// name) or the kind's proposed name, asks before replacing an existing file,
// then takes the bytes to write (nullopt cancels the save) and writes them
// atomically, saying so when that fails. True when the file was written.
bool SaveThroughDialog(QWidget* parent, QString& lastFileName,
                       const std::function<std::optional<QByteArray>()>& bytes,
                       const SaveKind& kind = {});

// Replaces the file with the bytes in one step (WriteAtomically): the old file
// stays intact unless the whole new content was written. On failure, reason
// says why in the save path's words.
bool WriteFileAtomically(const QString& path, const QByteArray& bytes, QString* reason);
