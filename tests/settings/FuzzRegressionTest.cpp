#include <gtest/gtest.h>

#include "settings/SettingsFile.h"

// Inputs found by fuzz_settings_reader, as found.

TEST(FuzzRegression, DirectoryBeginningWithABlankReadsBackWhole) {
    // Line 2 is a quoted name with a leading blank: it reads as " SS", and
    // written plainly it came back as "SS".
    const QByteArray found("\n\" SS\" ");
    for (const char* encoding : {static_cast<const char*>(nullptr), "windows-31j"}) {
        const QString directory = ReadSettingsText(found, encoding);
        EXPECT_EQ(directory, " SS");
        const auto written = SettingsFileBytes(directory, encoding);
        ASSERT_TRUE(written.has_value());
        EXPECT_EQ(*written, QByteArray("[Header]\r\n\" SS\"\r\n"));
        EXPECT_EQ(ReadSettingsText(*written, encoding), directory);
    }
    // Enclosing quotes are kept the same way; a line end cannot be kept.
    EXPECT_EQ(ReadSettingsText(*SettingsFileBytes(QStringLiteral("\"D:\\Q\""))), "\"D:\\Q\"");
    EXPECT_FALSE(SettingsFileBytes(QStringLiteral("D:\\A\nB")).has_value());
}
