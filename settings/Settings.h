#pragma once

#include <QString>

#include "common/Failure.h"

// The settings file ZEM.ini lives in the program's directory; where that is not
// writable, in the user's configuration directory. Start-up reads the program
// directory's file first, then the other one.

// The start-up read: the data directory from ZEM.ini. When there is no file, it
// is created with the default directory, which is then the result (even if the
// file could not be created). Nothing is reported.
QString LoadSettings();

// Writes ZEM.ini anew with text as the data directory, where start-up reads it,
// and makes text the data directory. A failure names the file and the reason
// (with the exclamation icon); DataDir takes the text all the same.
Attempt SaveSettings(const QString& text, QString& DataDir);
