#include "settings/Settings.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include "common/AtomicWrite.h"
#include "common/ProgramDir.h"
#include "settings/SettingsFile.h"

namespace {

const QString FileName = QStringLiteral("ZEM.ini");

// A settings file is two short lines; anything past this is not read.
constexpr qint64 MaxReadBytes = 64 * 1024;

QString programFile() {
    return QDir(ProgramDir()).filePath(FileName);
}

QString configDir() {
    return QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
}

QString configFile() {
    const QString dir = configDir();
    return dir.isEmpty() ? QString() : QDir(dir).filePath(FileName);
}

QString readFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return QString();
    return ReadSettingsText(file.read(MaxReadBytes));
}

// Why the file at path could not be written, in the user's words.
QString failureReason(const QString& path, const QString& systemText) {
    const QFileInfo file(path);
    const QFileInfo dir(file.absolutePath());
    if (file.isDir()) return QStringLiteral("同じ名前のフォルダーがあります。");
    if (!dir.isDir()) {
        return QStringLiteral("フォルダー %1 がありません。")
            .arg(QDir::toNativeSeparators(dir.absoluteFilePath()));
    }
    if (file.exists() && !file.isWritable()) return QStringLiteral("ファイルが読み取り専用です。");
    if (!dir.isWritable()) return QStringLiteral("フォルダーへの書き込みが許可されていません。");
    return QStringLiteral("書き込みに失敗しました（%1）。").arg(systemText);
}

// Replaces the file at path as a whole, or leaves it as it was.
bool writeFile(const QString& path, const QByteArray& bytes, bool makeDir, QString* reason) {
    if (makeDir) QDir().mkpath(QFileInfo(path).absolutePath());
    const std::optional<AtomicWriteFailure> failure = WriteAtomically(path, bytes);
    if (failure && reason) *reason = failureReason(path, failure->systemText);
    return !failure;
}

}  // namespace

QString LoadSettings() {
    const QString inProgramDir = programFile();
    if (QFileInfo::exists(inProgramDir)) return readFile(inProgramDir);
    const QString inConfigDir = configFile();
    if (!inConfigDir.isEmpty() && QFileInfo::exists(inConfigDir)) return readFile(inConfigDir);

    if (const auto bytes = SettingsFileBytes(DefaultDataDir())) {
        if (!writeFile(inProgramDir, *bytes, false, nullptr) && !inConfigDir.isEmpty()) {
            writeFile(inConfigDir, *bytes, true, nullptr);
        }
    }
    return DefaultDataDir();
}

Attempt SaveSettings(const QString& text, QString& DataDir) {
    DataDir = text;

    const QString inProgramDir = programFile();
    const QString inConfigDir = configFile();
    const bool programFileExists = QFileInfo::exists(inProgramDir);
    QString path = inProgramDir;
    QString reason;
    bool saved = false;

    if (const auto bytes = SettingsFileBytes(text)) {
        saved = writeFile(inProgramDir, *bytes, false, &reason);
        // A program directory that cannot take a new file sends it to the
        // configuration directory; an existing file there must be the one
        // rewritten, since start-up reads it first.
        if (!saved && !programFileExists && !inConfigDir.isEmpty()) {
            path = inConfigDir;
            saved = writeFile(inConfigDir, *bytes, true, &reason);
        }
    } else {
        if (!programFileExists && !inConfigDir.isEmpty() && QFileInfo::exists(inConfigDir)) {
            path = inConfigDir;
        }
        reason =
            QStringLiteral("フォルダー名に、このシステムの文字コードで表せない文字があります。");
    }

    if (saved) return {};
    return Attempt::Failed(QStringLiteral("設定ファイル %1 を保存できませんでした。\n%2")
                               .arg(QDir::toNativeSeparators(path), reason),
                           MsgIcon::Exclamation);
}
