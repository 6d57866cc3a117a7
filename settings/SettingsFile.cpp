#include "settings/SettingsFile.h"

#include "common/SystemText.h"

namespace {

bool isBlank(QChar c) {
    return c == u' ' || c == u'\t';
}
bool isLineEnd(QChar c) {
    return c == u'\r' || c == u'\n';
}

qsizetype lineEnd(QStringView text, qsizetype from) {
    qsizetype i = from;
    while (i < text.size() && !isLineEnd(text[i])) ++i;
    return i;
}

// Leading blanks dropped; "text" (blanks allowed after the closing quote)
// gives text. A quote without its partner stays.
QString unquoted(QStringView field) {
    qsizetype start = 0;
    while (start < field.size() && isBlank(field[start])) ++start;
    field = field.mid(start);
    if (field.startsWith(u'"')) {
        qsizetype end = field.size();
        while (end > 1 && isBlank(field[end - 1])) --end;
        if (end > 1 && field[end - 1] == u'"') return field.mid(1, end - 2).toString();
    }
    return field.toString();
}

}  // namespace

QString DefaultDataDir() {
    return QStringLiteral("C:\\Windows\\Pat95");
}

QString ReadSettingsText(const QByteArray& bytes, const char* encoding) {
    // CR and LF are single bytes in every code page ZEM meets (no CP932 trail
    // byte is below 0x40), so the lines can be cut after decoding.
    const QString text = DecodeSystemText(bytes, encoding);
    const qsizetype end1 = lineEnd(text, 0);
    if (end1 == text.size()) return QString();
    qsizetype start2 = end1 + 1;
    if (text[end1] == u'\r' && start2 < text.size() && text[start2] == u'\n') ++start2;
    const qsizetype end2 = lineEnd(text, start2);
    return unquoted(QStringView(text).mid(start2, end2 - start2));
}

namespace {

std::optional<QByteArray> fileBytes(const QString& line2, const char* encoding) {
    bool representable = false;
    QByteArray bytes = EncodeSystemText(
        QStringLiteral("[Header]\r\n") + line2 + QStringLiteral("\r\n"), &representable, encoding);
    if (!representable) return std::nullopt;
    return bytes;
}

}  // namespace

std::optional<QByteArray> SettingsFileBytes(const QString& dataDir, const char* encoding) {
    // The directory as it stands; in double quotes when the reader would
    // otherwise change it (leading blanks, enclosing quotes). A line end cannot
    // be held at all.
    for (const QString& line2 : {dataDir, u'"' + dataDir + u'"'}) {
        const auto bytes = fileBytes(line2, encoding);
        if (!bytes) return std::nullopt;
        if (ReadSettingsText(*bytes, encoding) == dataDir) return bytes;
    }
    return std::nullopt;
}
