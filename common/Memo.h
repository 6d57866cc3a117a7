#pragma once

#include <QString>

class QPlainTextEdit;
class QTextDocument;

// The memo of the main window as text with CR LF line ends, the form in which
// it is appended to, saved and printed. The widget itself keeps plain line
// breaks; these two functions convert at the edge.
QString MemoText(const QPlainTextEdit* memo);
QString MemoText(const QTextDocument* memo);

// Appends text (lines ended by CR LF) at the very end of the memo, right after
// its last character, and shows the end.
void AppendToMemo(QPlainTextEdit* memo, const QString& text);
