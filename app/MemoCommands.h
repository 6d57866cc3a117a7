#pragma once

#include <QByteArray>
#include <QPointer>
#include <QString>
#include <functional>

#include "common/SaveFile.h"

class Frm_Help;
class QPlainTextEdit;
class QPrinter;
class QWidget;

// The memo commands of the main window: save the memo to a file, print it, and
// open the help. One instance lives as long as the main window, and like a
// common dialog it keeps the last file name and the printer settings between
// uses. Printing is done by the print module (app/print), loaded on the first print.
class MemoCommands {
public:
    explicit MemoCommands(QPlainTextEdit* memo);
    ~MemoCommands();
    MemoCommands(const MemoCommands&) = delete;
    MemoCommands& operator=(const MemoCommands&) = delete;

    // Loads a memo file (UTF-8, Shift-JIS or UTF-16) into the memo; false when
    // nothing was loaded.
    bool Open_Click();
    // True when the memo was written; the memo then counts as unchanged.
    bool Save_Click();
    void Print_Click();
    // Opens the help in front of `from`, the window the user is in (the main
    // window when null); F1 in any window comes here.
    void mokuji_Click(QWidget* from = nullptr);

    // The printer of the run, made by the print module on first use; nullptr,
    // with the reason in error, when the module is missing. Tests point it at
    // a PDF file.
    QPrinter* printer(QString* error = nullptr);
    QString lastFileName() const { return lastFileName_; }
    Frm_Help* helpWindow() const;

private:
    QWidget* owner() const;

    QPlainTextEdit* memo_;
    QString lastFileName_;
    QPrinter* printer_ = nullptr;  // made and ended by the print module
    QPointer<Frm_Help> help_;
};

// The memo text of a saved memo file: decoded as the settlement reads memos,
// lines ended by LF, without the line end that saving adds.
QString MemoTextOfFile(const QByteArray& bytes);

// The saved form of the memo text (lines ended by CR LF): the text and one
// CR LF in the system's encoding, as the user's editor reads it (CP932 on a
// Japanese Windows, UTF-8 on a UTF-8 Linux). representable is false when some
// character has no form in that encoding; it is then written as "?".
QByteArray MemoFileBytes(const QString& memoText, bool* representable = nullptr);

