#pragma once

#include <QByteArray>
#include <QString>

class QTextStream;

// One field of a CSV line: in double quotes, its quotes doubled, when it holds
// a comma, a quote or a line break; as it is otherwise.
QString CsvField(const QString& text);

// A field of a column of pairs ("3-7", which a spreadsheet would open as a
// date): written after the column's bet type, "馬連 3-7", as the settlement
// writes its bets, so that it opens as the text it is. Other texts as CsvField.
QString CsvPairField(const QString& betType, const QString& text);

// Writes the bytes of a CSV file to a command's output as they are (UTF-8
// with its byte-order mark, CR LF), flushing the text written before them.
void WriteCsvTo(QTextStream& out, const QByteArray& bytes);
