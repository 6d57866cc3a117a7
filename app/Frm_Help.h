#pragma once

#include <QWidget>

class QTextBrowser;

// The help window: the help file ZEM.hlp of the program's directory, an HTML
// document, shown from its contents page. Modeless.
class Frm_Help : public QWidget {
    Q_OBJECT
public:
    explicit Frm_Help(QWidget* parent = nullptr);

    // Loads the help file afresh and shows its contents page; a missing file is
    // said in the window.
    void ShowContents();

    QTextBrowser* Txt_Help = nullptr;
};

// The program directory + "/ZEM.hlp".
QString HelpFilePath();
