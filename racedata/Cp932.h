#pragma once

#include <QByteArray>
#include <QString>

// Text of the data files and of the records: Shift-JIS, code page 932.

// Decodes one field. A byte that is not CP932, and a double-byte character
// cut by the end of the field, decode to U+FFFD in that field alone.
QString DecodeCp932(QByteArrayView bytes);

// Encodes text as CP932; ok is false when a character has no CP932 form
// (it is then written as "?").
QByteArray EncodeCp932(QStringView text, bool* ok = nullptr);
