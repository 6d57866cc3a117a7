#include "common/NumberText.h"

#include <QLocale>

#include <charconv>
#include <cmath>
#include <string>

namespace {

bool isBlank(QChar c) {
    return c == u' ' || c == u'\t' || c == QChar(0x3000);
}

bool isDigit(QChar c) {
    return c >= u'0' && c <= u'9';
}

// Checks the grammar and returns the text in the form std::from_chars reads
// (no sign '+', no commas); an empty string when the text is not a number.
std::string normalised(QStringView text) {
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && isBlank(text[begin])) ++begin;
    while (end > begin && isBlank(text[end - 1])) --end;
    if (begin == end) return {};

    std::string out;
    out.reserve(static_cast<size_t>(end - begin));
    qsizetype i = begin;
    if (text[i] == u'+' || text[i] == u'-') {
        if (text[i] == u'-') out.push_back('-');
        ++i;
    }
    int intDigits = 0;
    while (i < end) {
        if (isDigit(text[i])) {
            out.push_back(static_cast<char>(text[i].unicode()));
            ++intDigits;
        } else if (text[i] == u',' && intDigits > 0 && i + 1 < end && isDigit(text[i + 1])) {
            // a digit-group comma stands between two digits
        } else {
            break;
        }
        ++i;
    }
    int fracDigits = 0;
    if (i < end && text[i] == u'.') {
        out.push_back('.');
        ++i;
        while (i < end && isDigit(text[i])) {
            out.push_back(static_cast<char>(text[i].unicode()));
            ++fracDigits;
            ++i;
        }
    }
    if (intDigits + fracDigits == 0) return {};
    if (i < end && (text[i] == u'e' || text[i] == u'E')) {
        out.push_back('e');
        ++i;
        if (i < end && (text[i] == u'+' || text[i] == u'-')) {
            out.push_back(static_cast<char>(text[i].unicode()));
            ++i;
        }
        int expDigits = 0;
        while (i < end && isDigit(text[i])) {
            out.push_back(static_cast<char>(text[i].unicode()));
            ++expDigits;
            ++i;
        }
        if (expDigits == 0) return {};
    }
    if (i != end) return {};
    return out;
}

}  // namespace

std::optional<double> NumericValue(QStringView text) {
    const std::string s = normalised(text);
    if (s.empty()) return std::nullopt;
    double value = 0;
    const auto [ptr, ec] = std::from_chars(s.data(), s.data() + s.size(), value);
    if (ec != std::errc() || ptr != s.data() + s.size() || !std::isfinite(value)) {
        return std::nullopt;
    }
    return value;
}

bool IsNumeric(QStringView text) {
    return NumericValue(text).has_value();
}

QString FormatGeneral(double value) {
    if (value == 0) return QStringLiteral("0");  // also for -0
    QString text = QString::number(value, 'g', 15).toUpper();
    // The values next to the largest double round up past it in 15 digits and
    // would not read back; cut them to 15 digits instead.
    if (!IsNumeric(text)) {
        text = value < 0 ? QStringLiteral("-1.79769313486231E+308")
                         : QStringLiteral("1.79769313486231E+308");
    }
    return text;
}

QString YenText(qint64 amount) {
    return QLocale(QLocale::English).toString(amount) + QStringLiteral("円");
}

QString RateText(qint64 payout, qint64 stake) {
    if (stake <= 0) return QStringLiteral("-");
    const qint64 tenths = (payout * 2000 + stake) / (2 * stake);
    return QStringLiteral("%1.%2%").arg(tenths / 10).arg(tenths % 10);
}

QString PercentOf(int part, int whole) {
    return RateText(part, whole);
}
