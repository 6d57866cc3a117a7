#include "app/Frm_Help.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QMessageBox>
#include <QTextBrowser>
#include <QTimer>
#include <QVBoxLayout>

#include "common/EscapeKey.h"
#include "common/Fonts.h"
#include "common/ProgramDir.h"

QString HelpFilePath() {
    return QDir(ProgramDir()).filePath(QStringLiteral("ZEM.hlp"));
}

Frm_Help::Frm_Help(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("Frm_Help"));
    setWindowTitle(QStringLiteral("ZEM ヘルプ"));
    setAttribute(Qt::WA_DeleteOnClose);
    resize(640, 560);

    page_ = new QTextBrowser(this);
    page_->setObjectName(QStringLiteral("Txt_Help"));
    page_->setFont(UiFont(10.5));
    page_->setOpenLinks(true);
    page_->setOpenExternalLinks(false);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(page_);
    EscapeCloses(this);
}

QString HelpSection(const QWidget* window) {
    if (!window) return QString();
    if (qobject_cast<const QMessageBox*>(window)) return QStringLiteral("messages");
    static const QHash<QString, QString> sections{
        {QStringLiteral("Frm_Result"), QStringLiteral("result")},
        {QStringLiteral("Frm_Special"), QStringLiteral("special")},
        {QStringLiteral("Frm_Separate"), QStringLiteral("separate")},
        {QStringLiteral("Frm_Odds"), QStringLiteral("odds")},
        {QStringLiteral("Frm_Odds2"), QStringLiteral("odds")},
        {QStringLiteral("Frm_Odds3"), QStringLiteral("odds")},
        {QStringLiteral("Frm_Option"), QStringLiteral("option")},
        {QStringLiteral("Dialog"), QStringLiteral("option")},
        {QStringLiteral("Frm_Settle"), QStringLiteral("settle")},
        {QStringLiteral("Frm_Ledger"), QStringLiteral("ledger")},
        {QStringLiteral("Frm_Trend"), QStringLiteral("trend")},
        {QStringLiteral("Frm_Market"), QStringLiteral("market")},
        {QStringLiteral("Frm_Build"), QStringLiteral("build")},
        {QStringLiteral("Frm_Day"), QStringLiteral("day")},
        {QStringLiteral("Frm_Backtest"), QStringLiteral("backtest")},
    };
    return sections.value(window->objectName());
}

void Frm_Help::ShowContents() {
    ShowSection(QString());
}

void Frm_Help::ShowSection(const QString& section) {
    const QString path = HelpFilePath();
    const QFileInfo info(path);
    if (!info.isFile() || !info.isReadable()) {
        page_->clear();
        page_->setHtml(QStringLiteral("<h3>ヘルプファイルが見つかりません。</h3><p>%1</p>")
                           .arg(QDir::toNativeSeparators(path).toHtmlEscaped()));
        return;
    }
    // Loading the same file again also returns to its top, the contents page.
    QUrl url = QUrl::fromLocalFile(path);
    if (!section.isEmpty()) url.setFragment(section);
    page_->setSource(url, QTextDocument::HtmlResource);
}

void Frm_Help::ShowOver(QWidget* from) {
    QWidget* modal = QApplication::activeModalWidget();
    if (modal != this) {
        const Qt::WindowModality modality = modal ? Qt::ApplicationModal : Qt::NonModal;
        // The modality of a window changes only while it is hidden.
        if (modality != windowModality()) {
            hide();
            setWindowModality(modality);
        }
    }
    if (from && from != this) returnTo_ = from;
    ShowSection(HelpSection(returnTo_));
    setWindowState(windowState() & ~Qt::WindowMinimized);
    show();
    raise();
    activateWindow();
}

void Frm_Help::closeEvent(QCloseEvent* event) {
    QWidget::closeEvent(event);
    // Once the help is gone (and a modal one no longer blocks it), the window
    // the user came from is active again; it gives the focus back to its
    // control itself.
    if (QWidget* back = returnTo_) {
        QTimer::singleShot(0, back, [back] {
            if (back->isVisible()) back->activateWindow();
        });
    }
}
