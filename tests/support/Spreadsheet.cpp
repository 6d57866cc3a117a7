#include "support/Spreadsheet.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QUrl>

namespace {

QString soffice() {
    return QStandardPaths::findExecutable(QStringLiteral("soffice"));
}

// Parses the CSV Calc writes with every text cell quoted: unquoted fields are
// the cells that are not text.
QList<QStringList> parse(const QString& text) {
    QList<QStringList> rows;
    QStringList row;
    QString field;
    bool quoted = false, inQuotes = false, any = false;
    const auto endField = [&] {
        row << (quoted ? field : u'#' + field);
        field.clear();
        quoted = false;
    };
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        any = true;
        if (inQuotes) {
            if (c == u'"' && i + 1 < text.size() && text[i + 1] == u'"') {
                field += u'"';
                ++i;
            } else if (c == u'"') {
                inQuotes = false;
            } else {
                field += c;
            }
        } else if (c == u'"') {
            inQuotes = quoted = true;
        } else if (c == u',') {
            endField();
        } else if (c == u'\n' || c == u'\r') {
            if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') ++i;
            endField();
            rows << row;
            row.clear();
            any = false;
        } else {
            field += c;
        }
    }
    if (any) {
        endField();
        rows << row;
    }
    return rows;
}

}  // namespace

bool HaveSpreadsheet() {
    return !soffice().isEmpty();
}

std::optional<QList<QStringList>> SpreadsheetCells(const QString& csvPath, QString* why) {
    QTemporaryDir work;  // its own profile, so that test programs may run at once
    // Import: comma, quote, UTF-8 (76), from line 1, standard cells, ja-JP (1041),
    // quoted fields not forced to text, special numbers (dates) detected.
    // Export: the same, every text cell quoted, cells as shown.
    const QStringList arguments{
        QStringLiteral("-env:UserInstallation=") +
            QUrl::fromLocalFile(work.filePath(QStringLiteral("profile"))).toString(),
        QStringLiteral("--headless"),
        QStringLiteral("--infilter=CSV:44,34,76,1,,1041,false,true"),
        QStringLiteral("--convert-to"),
        QStringLiteral("csv:Text - txt - csv (StarCalc):44,34,76,1,,1041,true,false,true"),
        QStringLiteral("--outdir"),
        work.filePath(QStringLiteral("out")),
        csvPath};
    QProcess calc;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("LANG"), QStringLiteral("C.UTF-8"));
    calc.setProcessEnvironment(env);
    calc.start(soffice(), arguments);
    if (!calc.waitForFinished(60000) || calc.exitCode() != 0) {
        *why = QStringLiteral("soffice failed: ") + QString::fromLocal8Bit(calc.readAllStandardError());
        return std::nullopt;
    }
    QFile out(work.filePath(QStringLiteral("out/")) + QFileInfo(csvPath).completeBaseName() +
              QStringLiteral(".csv"));
    if (!out.open(QIODevice::ReadOnly)) {
        *why = QStringLiteral("no converted file: ") + QString::fromLocal8Bit(calc.readAllStandardOutput());
        return std::nullopt;
    }
    return parse(QString::fromUtf8(out.readAll()));
}
