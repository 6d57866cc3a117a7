#pragma once

#include <QPointer>
#include <QWidget>

class QTextBrowser;

// The help window: the help file ZEM.hlp of the program's directory, an HTML
// document, shown from its contents page. Modeless; over a modal window it is
// modal itself, since the modal window blocks every other window: the one
// window then usable, with the modal window waiting behind it.
class Frm_Help : public QWidget {
    Q_OBJECT
public:
    explicit Frm_Help(QWidget* parent = nullptr);

    // Loads the help file afresh and shows its contents page; a missing file is
    // said in the window.
    void ShowContents();

    // Shows the contents in front of `from`, the window the user is in; closing
    // the help goes back to that window, to the control that had the focus.
    void ShowOver(QWidget* from);

    QTextBrowser* Txt_Help = nullptr;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    QPointer<QWidget> returnTo_;
};

// The program directory + "/ZEM.hlp".
QString HelpFilePath();
