#include "trend/SqliteFile.h"

#include <QFile>
#include <QSqlError>
#include <QtEndian>

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
    NotADb = 26,
};

}  // namespace

QString BrokenSqliteFileReason(const QString& path, const QString& noun) {
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

QString SqliteReason(const QSqlError& error, const QString& noun) {
    bool ok = false;
    const int code = error.nativeErrorCode().toInt(&ok) & 0xff;
    if (ok) {
        switch (code) {
            case Busy:
            case Locked:
                return QStringLiteral("ほかのプログラムが%1を使用中です").arg(noun);
            case ReadOnly:
            case Perm:
                return QStringLiteral("%1のファイルに書き込めません（読み取り専用）").arg(noun);
            case Full:
                return QStringLiteral("ディスクの空きが足りません");
            case IoErr:
                return QStringLiteral("ファイルの読み書きに失敗しました");
            case Corrupt:
            case NotADb:
                return QStringLiteral("%1のファイルが壊れています").arg(noun);
            case CantOpen:
                return QStringLiteral("ファイルを開けません");
            default:
                break;
        }
    }
    const QString text = error.databaseText().isEmpty() ? error.text() : error.databaseText();
    return text.isEmpty() ? QStringLiteral("原因不明のエラー") : text;
}
