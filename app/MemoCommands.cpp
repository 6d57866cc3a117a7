#include "app/MemoCommands.h"

#include <QAbstractTextDocumentLayout>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QTextDocument>
#include <QTextFrame>

#include "app/Frm_Help.h"
#include "common/Fonts.h"
#include "common/Memo.h"
#include "common/MessageBox.h"
#include "common/ModalRun.h"
#include "common/SaveFile.h"
#include "common/SystemText.h"

QByteArray MemoFileBytes(const QString& memoText, bool* representable) {
    return EncodeSystemText(memoText + QStringLiteral("\r\n"), representable);
}

bool PrintText(const QString& text, QPrinter& printer) {
    QPainter painter;
    if (!painter.begin(&printer)) return false;

    // The layout measures on the printer itself, so the font prints at its size.
    QTextDocument document;
    document.documentLayout()->setPaintDevice(&printer);
    document.setDefaultFont(UiFont(11));
    QTextOption option = document.defaultTextOption();
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    document.setDefaultTextOption(option);
    QString plain = text;
    plain.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    document.setPlainText(plain);

    // Margins of 100 twips left and right, 30 twips top and bottom, on every page.
    const qreal left = 100.0 * printer.logicalDpiX() / 1440.0;
    const qreal top = 30.0 * printer.logicalDpiY() / 1440.0;
    QTextFrameFormat frame = document.rootFrame()->frameFormat();
    frame.setLeftMargin(left);
    frame.setRightMargin(left);
    frame.setTopMargin(top);
    frame.setBottomMargin(top);
    document.rootFrame()->setFrameFormat(frame);

    const QSizeF page(printer.width(), printer.height());  // the printable area
    document.setPageSize(page);
    const int pages = document.pageCount();
    for (int p = 0; p < pages; ++p) {
        if (p > 0 && !printer.newPage()) {
            painter.end();
            return false;
        }
        painter.save();
        painter.translate(0, -p * page.height());
        document.drawContents(&painter, QRectF(QPointF(0, p * page.height()), page));
        painter.restore();
    }
    return painter.end() && printer.printerState() != QPrinter::Error;
}

MemoCommands::MemoCommands(QPlainTextEdit* memo) : memo_(memo) {}

MemoCommands::~MemoCommands() = default;

QWidget* MemoCommands::owner() const {
    return memo_->window();
}

QPrinter& MemoCommands::printer() {
    // Setting up a printer loads the platform's print system, which start-up
    // does not need: the first print does it.
    if (!printer_) printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
    return *printer_;
}

Frm_Help* MemoCommands::helpWindow() const {
    return help_;
}

void MemoCommands::Save_Click() {
    QWidget* parent = owner();
    SaveThroughDialog(parent, lastFileName_, [&]() -> std::optional<QByteArray> {
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
}

void MemoCommands::Print_Click() {
    QWidget* parent = owner();
    QPrintDialog dialog(&printer(), parent);
    dialog.setObjectName(QStringLiteral("PrintDialog"));
    if (RunModal(dialog) != QDialog::Accepted) return;
    if (!PrintText(MemoText(memo_) + QStringLiteral("\r\n"), printer())) {
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
