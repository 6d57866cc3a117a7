#include "common/Memo.h"

#include <QPlainTextEdit>
#include <QTextCursor>
#include <QTextDocument>

QString MemoText(const QTextDocument* memo) {
    QString text = memo->toPlainText();
    text.replace(QLatin1Char('\n'), QLatin1String("\r\n"));
    return text;
}

QString MemoText(const QPlainTextEdit* memo) {
    return MemoText(memo->document());
}

void AppendToMemo(QPlainTextEdit* memo, const QString& text) {
    QString plain = text;
    plain.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    QTextCursor cursor(memo->document());
    cursor.movePosition(QTextCursor::End);
    cursor.insertText(plain);
    memo->moveCursor(QTextCursor::End);
    memo->ensureCursorVisible();
}
