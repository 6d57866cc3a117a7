#include "common/SqliteFile.h"

#include <QAtomicInt>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>
#include <QStandardPaths>
#include <QtEndian>
#include <utility>

namespace {

// SQLite's primary result codes that the user is told about in words.
enum SqliteCode {
    Perm = 3,
    Busy = 5,
    Locked = 6,
    ReadOnly = 8,
    IoErr = 10,
    Corrupt = 11,
    Full = 13,
    CantOpen = 14,
    Constraint = 19,
    NotADb = 26,
};

// Why an existing file must be left alone, or empty when it may be opened. A
// file that is no SQLite database, or is shorter than its own header says, is
// not opened at all: SQLite would only find out page by page. A missing or
// empty file may be opened: it becomes a new store.
QString brokenFileReason(const QString& path, const QString& noun) {
    QFile file(path);
    if (!file.exists() || file.size() == 0) return {};
    if (!file.open(QIODevice::ReadOnly)) return QStringLiteral("ファイルを開けません");
    const QByteArray header = file.read(100);
    if (header.size() < 100 || !header.startsWith(QByteArrayLiteral("SQLite format 3\0"))) {
        return QStringLiteral("%1のデータベースではありません").arg(noun);
    }
    const auto* bytes = reinterpret_cast<const uchar*>(header.constData());
    qint64 pageSize = qFromBigEndian<quint16>(bytes + 16);
    if (pageSize == 1) pageSize = 65536;
    const quint32 pages = qFromBigEndian<quint32>(bytes + 28);
    const bool countValid =
        pages != 0 && qFromBigEndian<quint32>(bytes + 24) == qFromBigEndian<quint32>(bytes + 92);
    if (pageSize < 512 || file.size() % pageSize != 0 ||
        (countValid && file.size() < pageSize * pages)) {
        return QStringLiteral("ファイルが途中で切れています");
    }
    return {};
}

// A failure of SQLite in the user's words.
QString reasonOf(const QSqlError& error, const SqliteWords& words) {
    bool ok = false;
    const int code = error.nativeErrorCode().toInt(&ok) & 0xff;
    if (ok) {
        if (code == Constraint && words.constraintIsBroken)
            return QStringLiteral("%1が壊れています").arg(words.fileNoun);
        switch (code) {
            case Busy:
            case Locked:
                return QStringLiteral("ほかのプログラムが%1を使用中です").arg(words.noun);
            case ReadOnly:
            case Perm:
                return QStringLiteral("%1に書き込めません（読み取り専用）").arg(words.fileNoun);
            case Full:
                return QStringLiteral("ディスクの空きが足りません");
            case IoErr:
                return QStringLiteral("ファイルの読み書きに失敗しました");
            case Corrupt:
            case NotADb:
                return QStringLiteral("%1が壊れています").arg(words.fileNoun);
            case CantOpen:
                return QStringLiteral("ファイルを開けません");
            default:
                break;
        }
    }
    const QString text = error.databaseText().isEmpty() ? error.text() : error.databaseText();
    return text.isEmpty() ? QStringLiteral("原因不明のエラー") : text;
}

}  // namespace

QString StoreFilePath(const QString& fileName, const QString& replacement) {
    if (!replacement.isEmpty()) return replacement;
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + u'/' + fileName;
}

SqliteStore::SqliteStore(const QString& connectionPrefix, SqliteWords words)
    : words_(std::move(words)) {
    static QAtomicInt counter;
    name_ = QStringLiteral("%1-%2").arg(connectionPrefix).arg(counter.fetchAndAddRelaxed(1));
}

SqliteStore::~SqliteStore() {
    close();
}

QSqlDatabase SqliteStore::connection() const {
    return QSqlDatabase::database(name_, false);
}

void SqliteStore::close() {
    if (QSqlDatabase::contains(name_)) {
        {
            QSqlDatabase db = QSqlDatabase::database(name_, false);
            db.close();
        }
        QSqlDatabase::removeDatabase(name_);
    }
    open_ = false;
}

void SqliteStore::fail(const QString& why) {
    error_ = QStringLiteral("%1 %2 を使えません。\n%3")
                 .arg(words_.noun, QDir::toNativeSeparators(path_), why);
}

void SqliteStore::fail(const QSqlError& error) {
    fail(reasonOf(error, words_));
}

bool SqliteStore::connect(bool readOnly) {
    close();
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name_);
    db.setDatabaseName(path_);
    // Another ZEM may be writing: wait for it rather than fail.
    db.setConnectOptions(readOnly
                             ? QStringLiteral("QSQLITE_BUSY_TIMEOUT=5000;QSQLITE_OPEN_READONLY")
                             : QStringLiteral("QSQLITE_BUSY_TIMEOUT=5000"));
    if (!db.open()) {
        fail(db.lastError());
        return false;
    }
    readOnly_ = readOnly;
    open_ = true;
    return true;
}

std::optional<int> SqliteStore::openFile(const QString& path, int schemaVersion) {
    close();
    path_ = path;
    notice_.clear();
    error_.clear();
    readOnly_ = false;
    if (const QString broken = brokenFileReason(path, words_.noun); !broken.isEmpty()) {
        fail(broken + QStringLiteral("。ファイルはそのままにしてあります"));
        return std::nullopt;
    }
    if (!QFileInfo::exists(path) && !QDir().mkpath(QFileInfo(path).absolutePath())) {
        fail(QStringLiteral("フォルダを作れません"));
        return std::nullopt;
    }
    if (!connect(false)) return std::nullopt;
    int version = 0;
    {
        QSqlQuery query(connection());
        if (!query.exec(QStringLiteral("PRAGMA user_version")) || !query.next()) {
            fail(query.lastError());
            query = QSqlQuery();
            close();
            return std::nullopt;
        }
        version = query.value(0).toInt();
    }
    if (version > schemaVersion && !connect(true)) return std::nullopt;
    return version;
}

bool SqliteStore::upgrade(const std::vector<std::vector<QString>>& steps) {
    QSqlQuery query(connection());
    // The write lock first, then the version again: another ZEM may have
    // brought the file up to date meanwhile.
    if (!query.exec(QStringLiteral("BEGIN IMMEDIATE"))) {
        fail(query.lastError());
        return false;
    }
    auto rollback = [&] {
        fail(query.lastError());
        query.exec(QStringLiteral("ROLLBACK"));
        return false;
    };
    if (!query.exec(QStringLiteral("PRAGMA user_version")) || !query.next()) return rollback();
    const int from = query.value(0).toInt();
    for (int version = from; version < int(steps.size()); ++version) {
        for (const QString& statement : steps[version]) {
            if (!query.exec(statement)) return rollback();
        }
    }
    if (!query.exec(QStringLiteral("PRAGMA user_version = %1").arg(steps.size())) ||
        !query.exec(QStringLiteral("COMMIT"))) {
        return rollback();
    }
    return true;
}

qint64 SqliteStore::dataVersion() {
    if (!open_) return -1;
    QSqlQuery query(connection());
    if (!query.exec(QStringLiteral("PRAGMA data_version")) || !query.next()) return -1;
    return query.value(0).toLongLong();
}
