#pragma once

#include <QByteArray>
#include <QString>

// The system's text encoding, the locale's: the ANSI code page on Windows
// (CP932 on a Japanese system), UTF-8 on a UTF-8 Linux desktop. The files ZEM
// writes for the user (the settings file, the saved memo) are in it.

// Encodes text; representable is false when some character has no form in
// the encoding (it is then written as "?"). encoding names a code page to use
// in place of the system's.
QByteArray EncodeSystemText(QStringView text, bool* representable = nullptr,
                            const char* encoding = nullptr);
QString DecodeSystemText(QByteArrayView bytes, const char* encoding = nullptr);

// The encoding's name as the user knows it, for messages: "シフトJIS" for CP932.
QString SystemEncodingName();

// Replaces the system's encoding by the named one (e.g. "windows-31j"), as if
// the locale were another; null restores the system's. For tests.
void SetSystemEncoding(const char* name);
