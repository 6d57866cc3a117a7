#pragma once

#include <QString>

class QSqlError;

// What the program's SQLite stores share about their files: the checks made
// before a file is opened at all, and the words a failure is told in. `noun`
// names the store to the user ("オッズ履歴", "台帳").

// Why an existing file must be left alone (not an SQLite database, or cut
// short of what its own header says), or empty when it may be opened. A
// missing or empty file may be opened: it becomes a new store.
QString BrokenSqliteFileReason(const QString& path, const QString& noun);

// A failure of SQLite in the user's words.
QString SqliteReason(const QSqlError& error, const QString& noun);
