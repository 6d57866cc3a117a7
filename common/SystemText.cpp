#include "common/SystemText.h"

#include <QStringDecoder>
#include <QStringEncoder>
#include <QStringList>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

namespace {

constexpr auto Stateless = QStringConverter::Flag::Stateless;

QByteArray& overridden() {
    static QByteArray name;
    return name;
}

const char* chosen(const char* encoding) {
    if (encoding) return encoding;
    return overridden().isEmpty() ? nullptr : overridden().constData();
}

QStringEncoder encoder(const char* encoding) {
    if (const char* name = chosen(encoding)) return QStringEncoder(name, Stateless);
    return QStringEncoder(QStringConverter::System, Stateless);
}

bool isCp932(const QString& name) {
    static const QStringList names = {QStringLiteral("windows-31j"), QStringLiteral("cp932"),
                                      QStringLiteral("shift_jis"),   QStringLiteral("sjis"),
                                      QStringLiteral("ms932"),       QStringLiteral("ms_kanji")};
    return names.contains(name, Qt::CaseInsensitive);
}

}  // namespace

QByteArray EncodeSystemText(QStringView text, bool* representable, const char* encoding) {
    QStringEncoder whole = encoder(encoding);
    QByteArray bytes = whole.encode(text);
    const bool ok = whole.isValid() && !whole.hasError();
    if (representable) *representable = ok;
    if (ok || !whole.isValid()) return bytes;
    // A character the encoding cannot hold is written as "?", as code pages do
    // (the converters' own substitutes differ).
    bytes.clear();
    for (qsizetype i = 0; i < text.size();) {
        const bool pair =
            text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate();
        const qsizetype len = pair ? 2 : 1;
        QStringEncoder one = encoder(encoding);
        const QByteArray part = one.encode(text.mid(i, len));
        bytes += (one.hasError() || part.isEmpty()) ? QByteArray("?") : part;
        i += len;
    }
    return bytes;
}

QString DecodeSystemText(QByteArrayView bytes, const char* encoding) {
    const char* name = chosen(encoding);
    QStringDecoder decoder = name ? QStringDecoder(name, Stateless)
                                  : QStringDecoder(QStringConverter::System, Stateless);
    return decoder.decode(bytes);
}

QString SystemEncodingName() {
    QString name = QString::fromLatin1(overridden());
    if (name.isEmpty()) {
#ifdef Q_OS_WIN
        name = QStringLiteral("cp%1").arg(GetACP());
#else
        name = QStringLiteral("UTF-8");  // Qt's system encoding on every Unix
#endif
    }
    return isCp932(name) ? QStringLiteral("シフトJIS") : name;
}

void SetSystemEncoding(const char* name) {
    overridden() = name ? QByteArray(name) : QByteArray();
}
