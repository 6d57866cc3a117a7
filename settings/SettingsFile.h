#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

// ZEM.ini holds two lines, each ended by CR LF, in the system's code page:
// "[Header]" (never read) and the data directory.

// The directory written into a settings file that does not exist yet.
QString DefaultDataDir();

// The data directory held in the bytes of a settings file: line 2 whole, with
// leading blanks dropped and one pair of enclosing double quotes removed (for
// files edited by hand). Lines end in CR LF, LF or CR. A file of one line, or
// an empty one, gives an empty text. encoding names the code page; null means
// the system's.
QString ReadSettingsText(const QByteArray& bytes, const char* encoding = nullptr);

// The bytes of a settings file holding dataDir, or nothing when the file would
// not read back as written (a character the code page lacks, a line end). A
// directory that begins with a blank or is enclosed in double quotes is written
// in double quotes, so that it reads back whole.
std::optional<QByteArray> SettingsFileBytes(const QString& dataDir, const char* encoding = nullptr);
