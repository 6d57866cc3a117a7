#include "racedata/Cp932.h"

#include <QStringDecoder>
#include <QStringEncoder>
#include <algorithm>

namespace {

bool isLeadByte(unsigned char b) {
    return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}

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

// One stateless converter for every field: opening an ICU converter costs
// several times the decoding of a field.
QStringDecoder& cp932Decoder() {
    thread_local QStringDecoder decoder("windows-31j", QStringConverter::Flag::Stateless);
    return decoder;
}

}  // namespace

QString DecodeCp932(QByteArrayView bytes) {
    // Most fields are digits and blanks: plain ASCII needs no converter.
    if (std::all_of(bytes.begin(), bytes.end(),
                    [](char c) { return c >= 0x20 && static_cast<unsigned char>(c) < 0x7F; })) {
        return QString::fromLatin1(bytes);
    }
    // ICU's converter swaps the control codes 1A, 1C and 7F, as IBM's code page
    // does; in CP932 each control byte stands for itself. A control byte is
    // never the second byte of a character, so it splits the field into runs
    // that decode on their own. A run that ends in the first byte of a character
    // (cut by the end of the field, or by a control byte) ends in U+FFFD.
    QString text;
    qsizetype start = 0;
    auto decodeRun = [&](qsizetype end) {
        if (end <= start) return;
        QByteArrayView part = bytes.sliced(start, end - start);
        const bool cut = endsInCutCharacter(part);
        if (cut) part.chop(1);
        QString run = cp932Decoder().decode(part);
        // ICU writes SUB (U+001A) for a byte sequence that is not CP932.
        run.replace(QChar(0x1A), QChar::ReplacementCharacter);
        text += run;
        if (cut) text += QChar::ReplacementCharacter;
    };
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const auto b = static_cast<unsigned char>(bytes[i]);
        if (b < 0x20 || b == 0x7F) {
            decodeRun(i);
            text += QChar(b);
            start = i + 1;
        }
    }
    decodeRun(bytes.size());
    return text;
}

namespace {

// Encodes text without control characters; false when some character has no
// CP932 form (it is then written as "?" instead of ICU's substitute bytes).
bool encodeRun(QStringView text, QByteArray& out) {
    QStringEncoder whole("windows-31j", QStringConverter::Flag::Stateless);
    const QByteArray bytes = whole.encode(text);
    if (!whole.hasError()) {
        out += bytes;
        return true;
    }
    for (qsizetype i = 0; i < text.size();) {
        const qsizetype len = (text[i].isHighSurrogate() && i + 1 < text.size()) ? 2 : 1;
        QStringEncoder one("windows-31j", QStringConverter::Flag::Stateless);
        const QByteArray part = one.encode(text.mid(i, len));
        out += (one.hasError() || part.isEmpty()) ? QByteArray("?") : part;
        i += len;
    }
    return false;
}

}  // namespace

QByteArray EncodeCp932(QStringView text, bool* ok) {
    // Control characters are written as themselves (ICU would swap 1A, 1C, 7F).
    QByteArray bytes;
    bool allEncoded = true;
    qsizetype start = 0;
    for (qsizetype i = 0; i <= text.size(); ++i) {
        const bool control =
            i < text.size() && (text[i].unicode() < 0x20 || text[i].unicode() == 0x7F);
        if (i < text.size() && !control) continue;
        if (i > start) allEncoded &= encodeRun(text.sliced(start, i - start), bytes);
        if (control) bytes += static_cast<char>(text[i].unicode());
        start = i + 1;
    }
    if (ok) *ok = allEncoded;
    return bytes;
}
