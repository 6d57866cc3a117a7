#pragma once

#include <QSqlDatabase>
#include <QString>
#include <optional>
#include <vector>

class QSqlError;

// What the program's SQLite stores (the ledger, the odds history) share about
// their files: the checks made before a file is opened at all, the words a
// failure is told in, and opening, versioning and upgrading the file.

// How a store is named to the user.
struct SqliteWords {
    QString noun;      // "台帳": "台帳 <path> を使えません", "ほかのプログラムが台帳を使用中です"
    QString fileNoun;  // "台帳ファイル": "台帳ファイルが壊れています"
    // A failed constraint told as a broken file (a text an upgrade has no
    // code for), rather than in SQLite's words.
    bool constraintIsBroken = false;
};

// A store's file: fileName in the user's data directory (AppDataLocation), or
// replacement when that is not empty (tests, benchmarks).
QString StoreFilePath(const QString& fileName, const QString& replacement);

// One SQLite file of a store, on a connection of its own. A store derives
// from it and adds its schema and queries.
class SqliteStore {
public:
    SqliteStore(const SqliteStore&) = delete;
    SqliteStore& operator=(const SqliteStore&) = delete;

    bool isOpen() const { return open_; }
    bool readOnly() const { return readOnly_; }
    const QString& path() const { return path_; }
    // What the user is told after a successful open, or empty.
    const QString& notice() const { return notice_; }
    // Why the last call failed, naming the file; empty after a call that worked.
    const QString& error() const { return error_; }

    // A number that changes whenever another connection (another window or
    // another ZEM) has changed the file; -1 when it cannot be read.
    qint64 dataVersion();

    // The connection, for tests that need to reach under the queries.
    QSqlDatabase connection() const;

protected:
    // connectionPrefix names the store's connections ("ledger" -> "ledger-0", ...).
    SqliteStore(const QString& connectionPrefix, SqliteWords words);
    ~SqliteStore();

    // Opens the file at path, creating it (and its directory) when there is
    // none, and reads its schema version. A file that is not a database, is
    // cut short or cannot be opened is left as it is: nothing, with error()
    // naming it. One of a version newer than schemaVersion is opened read-only.
    std::optional<int> openFile(const QString& path, int schemaVersion);
    // Brings the file up to the version steps.size(): steps[v] takes version
    // v to v + 1. All in one transaction; false (error() says why) after a
    // failure, the file as it was.
    bool upgrade(const std::vector<std::vector<QString>>& steps);
    bool connect(bool readOnly);
    void close();
    void fail(const QString& why);
    void fail(const QSqlError& error);

    QString path_;
    QString notice_;
    QString error_;
    bool open_ = false;
    bool readOnly_ = false;

private:
    QString name_;
    SqliteWords words_;
};
