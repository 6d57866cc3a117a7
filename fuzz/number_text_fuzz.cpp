// The number-text rules and the general number format: a text as typed, and a
// double from raw bits, each checked against the rules they promise.

#include <cmath>
#include <cstring>

#include "common/NumberText.h"
#include "fuzz/FuzzCheck.h"

namespace {

// What FormatGeneral writes: a number without blanks, grouping or trailing
// zeros, that reads back as the value to 15 significant digits.
void checkGeneral(double value) {
    const QString text = FormatGeneral(value);
    FUZZ_CHECK(!text.isEmpty() && LooksFinite(text));
    FUZZ_CHECK(!text.contains(u',') && !text.contains(u' '));
    const qsizetype e = text.indexOf(u'E');
    const QString mantissa = e < 0 ? text : text.left(e);
    if (mantissa.contains(u'.')) {
        FUZZ_CHECK(!mantissa.endsWith(u'0') && !mantissa.endsWith(u'.'));
    }
    const QString digits = text.startsWith(u'-') ? text.mid(1) : text;
    FUZZ_CHECK(!digits.startsWith(u'0') || digits == u"0" || digits.startsWith(u"0."));

    const std::optional<double> back = NumericValue(text);
    FUZZ_CHECK(back.has_value());
    FUZZ_CHECK(*back == value || std::abs(*back - value) <= std::abs(value) * 1e-14);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QString text = QString::fromUtf8(FuzzBytes(data, size));
    const std::optional<double> value = NumericValue(text);
    FUZZ_CHECK(IsNumeric(text) == value.has_value());
    // Blanks at either end do not change the reading.
    const std::optional<double> padded = NumericValue(QStringLiteral(" ") + text + QChar(0x3000));
    FUZZ_CHECK(padded.has_value() == value.has_value() && (!value || *padded == *value));
    if (value) {
        FUZZ_CHECK(std::isfinite(*value));
        checkGeneral(*value);
    }

    if (size >= sizeof(double)) {
        double raw;
        std::memcpy(&raw, data, sizeof raw);
        if (std::isfinite(raw)) checkGeneral(raw);
    }
    return 0;
}
