#include "racedata/Cp932.h"

#include <QStringDecoder>
#include <QStringEncoder>
#include <algorithm>

namespace {

bool isLeadByte(unsigned char b) { return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC); }

// True when the last byte of the field is the first half of a double-byte
// character whose second half lies beyond the field.
bool endsInCutCharacter(QByteArrayView bytes) {
    qsizetype i = 0;
    const qsizetype n = bytes.size();
    while (i < n) {
        if (isLeadByte(static_cast<unsigned char>(bytes[i]))) {
            if (i + 1 == n) return true;
            i += 2;
        } else {
            ++i;
        }
    }
    return false;
}

}  // namespace

QString DecodeCp932(QByteArrayView bytes) {
    // Most fields are digits and blanks: plain ASCII needs no converter.
    if (std::all_of(bytes.begin(), bytes.end(),
                    [](char c) { return c >= 0x20 && static_cast<unsigned char>(c) < 0x7F; })) {
        return QString::fromLatin1(bytes);
    }
    const bool cut = endsInCutCharacter(bytes);
    if (cut) bytes.chop(1);
    QStringDecoder decoder("windows-31j", QStringConverter::Flag::Stateless);
    QString text = decoder.decode(bytes);
    // ICU writes SUB (U+001A) for a byte sequence that is not CP932.
    text.replace(QChar(0x1A), QChar::ReplacementCharacter);
    if (cut) text.append(QChar::ReplacementCharacter);
    return text;
}

QByteArray EncodeCp932(QStringView text, bool* ok) {
    QStringEncoder whole("windows-31j", QStringConverter::Flag::Stateless);
    QByteArray bytes = whole.encode(text);
    if (!whole.hasError()) {
        if (ok) *ok = true;
        return bytes;
    }
    // Some character has no CP932 form: encode one character at a time so that
    // such a character becomes "?" instead of ICU's substitute bytes.
    bytes.clear();
    for (qsizetype i = 0; i < text.size();) {
        const qsizetype len = (text[i].isHighSurrogate() && i + 1 < text.size()) ? 2 : 1;
        QStringEncoder one("windows-31j", QStringConverter::Flag::Stateless);
        QByteArray part = one.encode(text.mid(i, len));
        bytes += (one.hasError() || part.isEmpty()) ? QByteArray("?") : part;
        i += len;
    }
    if (ok) *ok = false;
    return bytes;
}
