#include <gtest/gtest.h>

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
        const std::optional<double> read = NumericValue(QString::fromUtf16(text));
        ASSERT_EQ(read.has_value(), value.has_value());
        if (value) {
            EXPECT_DOUBLE_EQ(*read, *value);
        }
    }
}

TEST(NumberText, GeneralFormat) {
    EXPECT_EQ(FormatGeneral(1200), "1200");
    EXPECT_EQ(FormatGeneral(13250), "13250");
    EXPECT_EQ(FormatGeneral(2.5), "2.5");
    EXPECT_EQ(FormatGeneral(1.7 * 1700), "2890");  // 2889.9999999999995 in binary
    EXPECT_EQ(FormatGeneral(0.1 + 0.2), "0.3");
    EXPECT_EQ(FormatGeneral(-0.0), "0");
    EXPECT_EQ(FormatGeneral(-250), "-250");
    EXPECT_EQ(FormatGeneral(123456789012345.0), "123456789012345");
    EXPECT_EQ(FormatGeneral(1.0 / 3.0), "0.333333333333333");
}

TEST(RaceDate, ValidDatesShowInJapaneseOthersNothing) {
    const std::pair<const char16_t*, const char16_t*> cases[] = {{u"19990405", u"1999年04月05日"},
                                                                 {u"20261206", u"2026年12月06日"},
                                                                 {u"20240229", u"2024年02月29日"},
                                                                 {u"", u""},
                                                                 {u"        ", u""},
                                                                 {u"2023022", u""},
                                                                 {u"20230229", u""},
                                                                 {u"20231301", u""},
                                                                 {u"20230100", u""},
                                                                 {u"2023ab01", u""},
                                                                 {u"00000101", u""},
                                                                 {u"ﾄﾘｹｼﾄﾘｹｼ", u""}};
    for (const auto& [text, shown] : cases)
        EXPECT_EQ(RaceDateDisplay(QString::fromUtf16(text)), QString::fromUtf16(shown))
            << QString::fromUtf16(text).toStdString();
}
