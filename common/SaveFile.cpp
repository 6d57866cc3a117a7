#include "common/SaveFile.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>

#include "common/AtomicWrite.h"
#include "common/MessageBox.h"

namespace {

SaveFileDialog& saveDialog() {
    static SaveFileDialog instance;
    return instance;
}

QString askFileName(QWidget* parent, const QString& fileName, const QString& filter) {
    if (saveDialog()) return saveDialog()(parent, fileName, filter);
    // Replacing is confirmed by SaveThroughDialog itself, for every dialog alike.
    return QFileDialog::getSaveFileName(parent, QStringLiteral("保存"), fileName, filter, nullptr,
                                        QFileDialog::DontConfirmOverwrite);
}

OpenFileDialog& openDialog() {
    static OpenFileDialog instance;
    return instance;
}

}  // namespace

void SetSaveFileDialog(SaveFileDialog dialog) {
    saveDialog() = std::move(dialog);
}

void SetOpenFileDialog(OpenFileDialog dialog) {
    openDialog() = std::move(dialog);
}

QString AskOpenFileName(QWidget* parent, const QString& start, const QString& filter) {
    if (openDialog()) return openDialog()(parent, start, filter);
    return QFileDialog::getOpenFileName(parent, QStringLiteral("開く"), start, filter);
}

SaveKind CsvFile(const QString& name) {
    return {name, QStringLiteral("CSV (*.csv)"), QStringLiteral("csv")};
}

bool SaveThroughDialog(QWidget* parent, QString& lastFileName,
                       const std::function<std::optional<QByteArray>()>& bytes,
                       const SaveKind& kind) {
    QString proposed = lastFileName;
    if (!kind.proposedName.isEmpty()) {
        proposed = lastFileName.isEmpty()
                       ? kind.proposedName
                       : QFileInfo(lastFileName).dir().filePath(kind.proposedName);
    }
    QString path = askFileName(parent, proposed, kind.filter);
    if (path.isEmpty()) return false;
    // Checked before the replace question: "収支" is saved as "収支.csv".
    if (!kind.suffix.isEmpty() && QFileInfo(path).suffix().isEmpty())
        path += u'.' + kind.suffix;
    lastFileName = path;
    const QString shown = QDir::toNativeSeparators(path);

    const QFileInfo target(path);
    if (target.exists() && !target.isDir() &&
        ShowMessage(parent, QStringLiteral("%1 は既にあります。\n置き換えますか？").arg(shown),
                    MsgIcon::Exclamation, MsgButtons::YesNo,
                    QStringLiteral("確認")) != MsgAnswer::Yes) {
        return false;
    }
    const std::optional<QByteArray> content = bytes();
    if (!content) return false;
    QString reason;
    if (!WriteFileAtomically(path, *content, &reason)) {
        ShowMessage(parent,
                    QStringLiteral("ファイルを保存できませんでした。\n%1\n%2").arg(shown, reason),
                    MsgIcon::Exclamation);
        return false;
    }
    return true;
}

bool WriteFileAtomically(const QString& path, const QByteArray& bytes, QString* reason) {
    const std::optional<AtomicWriteFailure> failure = WriteAtomically(path, bytes);
    if (!failure) return true;
    const auto withSystemReason = [&](const QString& what) {
        return failure->systemText.isEmpty()
                   ? what
                   : QStringLiteral("%1（%2）").arg(what, failure->systemText);
    };
    switch (failure->step) {
        case AtomicWriteFailure::Step::IsFolder:
            *reason = QStringLiteral("同じ名前のフォルダーがあります。");
            break;
        case AtomicWriteFailure::Step::NoFolder:
            *reason = QStringLiteral("保存先のフォルダーがありません。");
            break;
        case AtomicWriteFailure::Step::Open:
            *reason = withSystemReason(QStringLiteral("ファイルを作成できません。"));
            break;
        case AtomicWriteFailure::Step::Write:
            *reason = withSystemReason(QStringLiteral("書き込みに失敗しました。"));
            break;
        case AtomicWriteFailure::Step::Commit:
            *reason = withSystemReason(QStringLiteral("ファイルを置き換えられません。"));
            break;
    }
    return false;
}
