#pragma once

#include <QString>

// The program's own directory, where ZEM.ini and ZEM.hlp live: the directory of
// the executable unless a test has set another one.
QString ProgramDir();
void SetProgramDir(const QString& directory);  // empty restores the default
