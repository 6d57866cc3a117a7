#include <gtest/gtest.h>

#include <utility>

#include "common/Csv.h"

TEST(Csv, FieldQuotedOnlyWhenItHoldsASeparatorQuoteOrLineBreak) {
    const std::pair<const char16_t*, const char16_t*> cases[] = {
        {u"", u""},
        {u"東京", u"東京"},
        {u"3-7", u"3-7"},
        {u"5-9, 5-10", u"\"5-9, 5-10\""},
        {u"x\"y", u"\"x\"\"y\""},
        {u"\"", u"\"\"\"\""},
        {u"a\r\nb", u"\"a\r\nb\""},
        {u"a\nb", u"\"a\nb\""},
        {u"a\rb", u"\"a\rb\""},
    };
    for (const auto& [text, field] : cases) {
        SCOPED_TRACE(QString::fromUtf16(text).toStdString());
        EXPECT_EQ(CsvField(QString::fromUtf16(text)), QString::fromUtf16(field));
    }
}

TEST(Csv, PairsFollowTheirBetTypeSoThatNoSpreadsheetReadsADate) {
    const std::pair<const char16_t*, const char16_t*> cases[] = {
        {u"3-7", u"枠連 3-7"},
        {u"12-18", u"枠連 12-18"},
        {u"7", u"7"},
        {u"1.3-1.8", u"1.3-1.8"},
        {u"5-9, 5-10", u"\"5-9, 5-10\""},
        {u"", u""},
    };
    for (const auto& [text, field] : cases) {
        SCOPED_TRACE(QString::fromUtf16(text).toStdString());
        EXPECT_EQ(CsvPairField(QStringLiteral("枠連"), QString::fromUtf16(text)),
                  QString::fromUtf16(field));
    }
}
