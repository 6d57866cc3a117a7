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
    // The same at a section of the help (an anchor name); empty: the contents page.
    void ShowSection(const QString& section);

    // Shows the help's section about `from`, the window the user is in (the
    // contents for the main window), in front of it; closing the help goes back
    // to that window, to the control that had the focus.
    void ShowOver(QWidget* from);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    QPointer<QWidget> returnTo_;
    QTextBrowser* page_ = nullptr;  // Txt_Help
};

// The anchor of the help's section about a window (by its objectName; message
// boxes: the messages section), empty for the main window and any other.
QString HelpSection(const QWidget* window);

// The program directory + "/ZEM.hlp".
QString HelpFilePath();
