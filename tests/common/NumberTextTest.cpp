#include <gtest/gtest.h>

#include "common/NumberText.h"
#include "common/RaceDate.h"

TEST(NumberText, NumericTextsAndTheirValues) {
    const struct {
        const char16_t* text;
        double value;
    } numeric[] = {{u" 2.5 ", 2.5}, {u"10,000", 10000}, {u"1e3", 1000}, {u"-5", -5},
                   {u"+7", 7},      {u"  12.3", 12.3},  {u"0", 0},     {u".5", 0.5},
                   {u"5.", 5},      {u"1,2,3", 123},    {u"2.5E-1", 0.25}};
    for (const auto& c : numeric) {
        const QString text = QString::fromUtf16(c.text);
        SCOPED_TRACE(text.toStdString());
        EXPECT_TRUE(IsNumeric(text));
        ASSERT_TRUE(NumericValue(text).has_value());
        EXPECT_DOUBLE_EQ(*NumericValue(text), c.value);
    }
}

TEST(NumberText, TextsThatAreNotNumbers) {
    for (const char16_t* text : {u"", u"   ", u".", u"-", u"+", u"12a", u"a12", u"1..2", u"1e",
                                 u",5", u"5,", u"1,,0", u"ﾄﾘｹｼ", u"  ﾄﾘｹｼ", u"1 2", u"1e999",
                                 u"--1", u"0x10", u"inf", u"nan"}) {
        const QString s = QString::fromUtf16(text);
        SCOPED_TRACE(s.toStdString());
        EXPECT_FALSE(IsNumeric(s));
        EXPECT_FALSE(NumericValue(s).has_value());
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

TEST(RaceDate, ValidDatesShowInJapanese) {
    EXPECT_EQ(RaceDateDisplay(u"19990405"), QStringLiteral("1999年04月05日"));
    EXPECT_EQ(RaceDateDisplay(u"20261206"), QStringLiteral("2026年12月06日"));
    EXPECT_EQ(RaceDateDisplay(u"20240229"), QStringLiteral("2024年02月29日"));
}

TEST(RaceDate, TextsThatAreNotDatesShowNothing) {
    for (const char16_t* text : {u"", u"        ", u"2023022", u"20230229", u"20231301",
                                 u"20230100", u"2023ab01", u"00000101", u"ﾄﾘｹｼﾄﾘｹｼ"}) {
        SCOPED_TRACE(QString::fromUtf16(text).toStdString());
        EXPECT_EQ(RaceDateDisplay(QString::fromUtf16(text)), QString());
    }
}
