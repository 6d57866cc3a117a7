#include "common/Csv.h"

#include <QIODevice>
#include <QTextStream>

#include <QRegularExpression>

QString CsvField(const QString& text) {
    if (!text.contains(u',') && !text.contains(u'"') && !text.contains(u'\r') &&
        !text.contains(u'\n')) {
        return text;
    }
    QString quoted = text;
    quoted.replace(u'"', QStringLiteral("\"\""));
    return u'"' + quoted + u'"';
}

QString CsvPairField(const QString& betType, const QString& text) {
    static const QRegularExpression pair(QStringLiteral("^\\d{1,2}-\\d{1,2}$"));
    return CsvField(pair.match(text).hasMatch() ? betType + QLatin1Char(' ') + text : text);
}

void WriteCsvTo(QTextStream& out, const QByteArray& bytes) {
    out.flush();
    if (out.device()) {
        out.device()->write(bytes);
    } else {
        out << QString::fromUtf8(bytes);
    }
}
