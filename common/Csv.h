#pragma once

#include <QString>

// One field of a CSV line: in double quotes, its quotes doubled, when it holds
// a comma, a quote or a line break; as it is otherwise.
QString CsvField(const QString& text);
