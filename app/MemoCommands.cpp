#include "app/MemoCommands.h"

#include <QFile>
#include <QPlainTextEdit>

#include "app/Frm_Help.h"
#include "app/print/PrintModule.h"
#include "common/Fonts.h"
#include "common/Memo.h"
#include "common/Module.h"
#include "common/MessageBox.h"
#include "common/ModalRun.h"
#include "common/SaveFile.h"
#include "common/SystemText.h"
#include "settle/BetMemo.h"

QByteArray MemoFileBytes(const QString& memoText, bool* representable) {
    return EncodeSystemText(memoText + QStringLiteral("\r\n"), representable);
}

QString MemoTextOfFile(const QByteArray& bytes) {
    QString text = DecodeMemoFile(bytes);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    if (text.endsWith(QLatin1Char('\n'))) text.chop(1);
    return text;
}

MemoCommands::MemoCommands(QPlainTextEdit* memo) : memo_(memo) {}

MemoCommands::~MemoCommands() {
    if (!printer_) return;
    if (const auto end = reinterpret_cast<DeletePrinterFn>(
            ModuleSymbol(PrintModuleName, DeletePrinterSymbol, nullptr)))
        end(printer_);
}

QWidget* MemoCommands::owner() const {
    return memo_->window();
}

QPrinter* MemoCommands::printer(QString* error) {
    // The print module and the platform's print system are loaded by the first
    // print, not at start-up.
    if (!printer_) {
        if (const auto make = reinterpret_cast<NewPrinterFn>(
                ModuleSymbol(PrintModuleName, NewPrinterSymbol, error)))
            printer_ = make();
    }
    return printer_;
}

Frm_Help* MemoCommands::helpWindow() const {
    return help_;
}

bool MemoCommands::Open_Click() {
    QWidget* parent = owner();
    const QString path = AskOpenFileName(parent, lastFileName_,
                                         QStringLiteral("テキスト (*.txt);;すべてのファイル (*)"));
    if (path.isEmpty()) return false;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        ShowMessage(parent,
                    QStringLiteral("ファイルを開けません（%1）").arg(file.errorString()),
                    MsgIcon::Exclamation);
        return false;
    }
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        ShowMessage(parent,
                    QStringLiteral("ファイルを読めません（%1）").arg(file.errorString()),
                    MsgIcon::Exclamation);
        return false;
    }
    memo_->setPlainText(MemoTextOfFile(bytes));
    memo_->document()->setModified(false);
    lastFileName_ = path;
    return true;
}

bool MemoCommands::Save_Click() {
    QWidget* parent = owner();
    const bool saved = SaveThroughDialog(parent, lastFileName_, [&]() -> std::optional<QByteArray> {
        bool representable = true;
        QByteArray bytes = MemoFileBytes(MemoText(memo_), &representable);
        if (!representable &&
            ShowMessage(parent,
                        QStringLiteral("メモには、このシステムの文字コード（%1）で表せない"
                                       "文字があります。\nその文字は「?」として保存されます。"
                                       "保存しますか？")
                            .arg(SystemEncodingName()),
                        MsgIcon::Exclamation, MsgButtons::OkCancel,
                        QStringLiteral("確認")) != MsgAnswer::Ok) {
            return std::nullopt;
        }
        return bytes;
    });
    if (saved) memo_->document()->setModified(false);
    return saved;
}

void MemoCommands::Print_Click() {
    QWidget* parent = owner();
    QString error;
    QPrinter* target = printer(&error);
    const auto print = reinterpret_cast<PrintWithDialogFn>(
        ModuleSymbol(PrintModuleName, PrintWithDialogSymbol, &error));
    if (!target || !print) {
        ShowMessage(parent, QStringLiteral("印刷できません（%1）").arg(error),
                    MsgIcon::Exclamation);
        return;
    }
    const PrintOutcome outcome =
        print(target, parent, MemoText(memo_) + QStringLiteral("\r\n"), UiFont(11), &RunModal);
    if (outcome == PrintOutcome::Failed) {
        ShowMessage(
            parent,
            QStringLiteral("印刷できませんでした。\nプリンターの設定と状態を確かめてください。"),
            MsgIcon::Exclamation);
    }
}

void MemoCommands::mokuji_Click(QWidget* from) {
    if (!help_) help_ = new Frm_Help(owner());
    help_->ShowOver(from ? from : owner());
}
