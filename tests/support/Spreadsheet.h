#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

// Opening a CSV file in a real spreadsheet: LibreOffice Calc, headless, reads
// it as a user in a Japanese locale does (language ja-JP, dates and other
// special numbers recognised) and writes the cells back as shown.

// True when LibreOffice (soffice) is installed.
bool HaveSpreadsheet();

// The cells of the CSV file as Calc shows them, row by row: a text cell as its
// text, any other cell (a number, a date) as "#" and what Calc shows, e.g.
// "#3" or "#07/14". nullopt, with the reason in why, when the conversion failed.
std::optional<QList<QStringList>> SpreadsheetCells(const QString& csvPath, QString* why);
