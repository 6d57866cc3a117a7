// The print module: the only code of the program that links Qt Print Support.

#include "app/print/PrintModule.h"

#include <QAbstractTextDocumentLayout>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QTextDocument>
#include <QTextFrame>

namespace {

bool printText(const QString& text, const QFont& font, QPrinter& printer) {
    QPainter painter;
    if (!painter.begin(&printer)) return false;

    // The layout measures on the printer itself, so the font prints at its size.
    QTextDocument document;
    document.documentLayout()->setPaintDevice(&printer);
    document.setDefaultFont(font);
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

}  // namespace

extern "C" Q_DECL_EXPORT QPrinter* zemNewPrinter() {
    return new QPrinter(QPrinter::HighResolution);
}

extern "C" Q_DECL_EXPORT void zemDeletePrinter(QPrinter* printer) {
    delete printer;
}

extern "C" Q_DECL_EXPORT PrintOutcome zemPrintWithDialog(QPrinter* printer, QWidget* parent,
                                                         const QString& text, const QFont& font,
                                                         int (*runModal)(QDialog&)) {
    QPrintDialog dialog(printer, parent);
    dialog.setObjectName(QStringLiteral("PrintDialog"));
    if (runModal(dialog) != QDialog::Accepted) return PrintOutcome::Cancelled;
    return printText(text, font, *printer) ? PrintOutcome::Printed : PrintOutcome::Failed;
}
