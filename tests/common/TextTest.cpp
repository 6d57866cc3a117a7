#include <gtest/gtest.h>

#include <cstring>

#include "common/Csv.h"
#include "common/NumberText.h"
#include "common/RaceDate.h"

TEST(NumberText, NumericTextsAndTheirValues) {
    // clang-format off
    const std::pair<const char16_t*, std::optional<double>> cases[] = {
        {u" 2.5 ", 2.5}, {u"10,000", 10000}, {u"1e3", 1000}, {u"-5", -5}, {u"+7", 7},
        {u"  12.3", 12.3}, {u"0", 0}, {u".5", 0.5}, {u"5.", 5}, {u"1,2,3", 123}, {u"2.5E-1", 0.25},
        {u"", {}}, {u"   ", {}}, {u".", {}}, {u"-", {}}, {u"+", {}}, {u"12a", {}}, {u"a12", {}},
        {u"1..2", {}}, {u"1e", {}}, {u",5", {}}, {u"5,", {}}, {u"1,,0", {}}, {u"ﾄﾘｹｼ", {}},
        {u"  ﾄﾘｹｼ", {}}, {u"1 2", {}}, {u"1e999", {}}, {u"--1", {}}, {u"0x10", {}}, {u"inf", {}},
        {u"nan", {}}};
    // clang-format on
    for (const auto& [text, value] : cases) {
        SCOPED_TRACE(QString::fromUtf16(text).toStdString());
        EXPECT_EQ(IsNumeric(QString::fromUtf16(text)), value.has_value());
        EXPECT_EQ(NumericValue(QString::fromUtf16(text)), value);
    }
}

TEST(NumberText, GeneralFormat) {
    // clang-format off
    const std::pair<double, const char*> cases[] = {
        {1200, "1200"}, {2.5, "2.5"}, {1.7 * 1700, "2890"},  // 2889.9999999999995 in binary
        {0.1 + 0.2, "0.3"}, {-0.0, "0"}, {-250, "-250"}, {123456789012345.0, "123456789012345"},
        {1.0 / 3.0, "0.333333333333333"}};
    // clang-format on
    for (const auto& [value, text] : cases) EXPECT_EQ(FormatGeneral(value), text);
}

// An input found by fuzz_number_text, as found.
TEST(FuzzRegression, TheLargestDoublesWriteAsNumbersThatReadBack) {
    // The input's first eight bytes are the double -1.7976931348623157e308: in 15
    // digits it rounded to -1.79769313486232E+308, which no double can hold.
    const unsigned char found[] = {0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0xef,
                                   0xff, 0xff, 0x20, 0x20, 0x20, 0x20, 0x20};
    double value;
    std::memcpy(&value, found, sizeof value);
    for (const double v : {value, -value}) {
        EXPECT_EQ(FormatGeneral(v), v < 0 ? "-1.79769313486231E+308" : "1.79769313486231E+308");
        EXPECT_NEAR(NumericValue(FormatGeneral(v)).value_or(0) / v, 1.0, 1e-14);
    }
}

TEST(RaceDate, ValidDatesShowInJapaneseOthersNothing) {
    // clang-format off
    const std::pair<const char16_t*, const char16_t*> cases[] = {
        {u"19990405", u"1999年04月05日"}, {u"20240229", u"2024年02月29日"}, {u"", u""},
        {u"        ", u""}, {u"2023022", u""}, {u"20230229", u""}, {u"20231301", u""},
        {u"20230100", u""}, {u"2023ab01", u""}, {u"00000101", u""}, {u"ﾄﾘｹｼﾄﾘｹｼ", u""}};
    // clang-format on
    for (const auto& [text, shown] : cases)
        EXPECT_EQ(RaceDateDisplay(QString::fromUtf16(text)), QString::fromUtf16(shown))
            << QString::fromUtf16(text).toStdString();
}

// A field is quoted only when it holds a separator, quote or line break; a pair
// follows its bet type, so that no spreadsheet reads it as a date.
TEST(Csv, FieldsQuotedWhenNeededAndPairsAfterTheirBetType) {
    // clang-format off
    const std::tuple<bool, const char16_t*, const char16_t*> cases[] = {
        {false, u"", u""}, {false, u"3-7", u"3-7"}, {false, u"5-9, 5-10", u"\"5-9, 5-10\""},
        {false, u"x\"y", u"\"x\"\"y\""}, {false, u"a\nb", u"\"a\nb\""}, {false, u"a\rb", u"\"a\rb\""},
        {true, u"3-7", u"枠連 3-7"}, {true, u"7", u"7"}, {true, u"1.3-1.8", u"1.3-1.8"},
        {true, u"5-9, 5-10", u"\"5-9, 5-10\""}, {true, u"", u""}};
    // clang-format on
    for (const auto& [pair, text, field] : cases) {
        const QString in = QString::fromUtf16(text);
        SCOPED_TRACE(in.toStdString());
        EXPECT_EQ(pair ? CsvPairField(u"枠連"_qs, in) : CsvField(in), QString::fromUtf16(field));
    }
}
