#include <gtest/gtest.h>

#include <QFile>

#include "settings/Settings.h"
#include "settings/SettingsFile.h"
#include "tests/settings/SettingsPlaces.h"

// On this platform the system code page is UTF-8; CP932 is checked by name.

TEST(SettingsFile, ReadsLineTwoWhole) {
    const struct {
        const char* bytes;
        const char16_t* directory;
    } cases[] = {
        {"[Header]\r\nC:\\Windows\\Pat95\r\n", u"C:\\Windows\\Pat95"},
        {"[Header]\r\nD:\\PAT95,old\r\n", u"D:\\PAT95,old"},  // a comma is part of the name
        {"[Header]\nD:\\LF\n", u"D:\\LF"},
        {"[Header]\rD:\\CR\r", u"D:\\CR"},
        {"[Header]\r\nD:\\NoEnd", u"D:\\NoEnd"},
        {"[Header]\r\nD:\\First\r\nD:\\Second\r\n", u"D:\\First"},
        {"[Header]\r\n\r\nD:\\Third\r\n", u""},
        {"[Header]\r\n  \t D:\\Blanks  \r\n", u"D:\\Blanks  "},
        {"[Header]\r\n\"D:\\Quoted, too\"\r\n", u"D:\\Quoted, too"},
        {"[Header]\r\n  \"D:\\Q\"  \r\n", u"D:\\Q"},
        {"[Header]\r\n\"D:\\Open\r\n", u"\"D:\\Open"},
        {"[Header]\r\n\"\"\r\n", u""},
        {"[Header]\r\n", u""},  // one line
        {"[Header]", u""},
        {"", u""},
        {"[Header]\r\nC:\\\xe7\xab\xb6\xe9\xa6\xac\r\n", u"C:\\競馬"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.bytes);
        EXPECT_EQ(ReadSettingsText(QByteArray(c.bytes)), QString::fromUtf16(c.directory));
    }
}

TEST(SettingsFile, ShiftJisNamesReadAndWriteInCp932) {
    // 表 ends in the byte of "\" (95 5C); 競馬 is 8B A3 94 6E.
    const QByteArray bytes("[Header]\r\nC:\\\x95\x5c\\\x8b\xa3\x94\x6e\r\n");
    const QString directory = QStringLiteral("C:\\表\\競馬");
    EXPECT_EQ(ReadSettingsText(bytes, "windows-31j"), directory);
    EXPECT_EQ(SettingsFileBytes(directory, "windows-31j"), bytes);
}

TEST(SettingsFile, WritesTwoLinesWithCrLf) {
    EXPECT_EQ(SettingsFileBytes(QStringLiteral("C:\\Windows\\Pat95")),
              QByteArray("[Header]\r\nC:\\Windows\\Pat95\r\n"));
    EXPECT_EQ(SettingsFileBytes(QString()), QByteArray("[Header]\r\n\r\n"));
}

TEST(SettingsFile, NamesTheCodePageCannotHoldAreRefused) {
    EXPECT_FALSE(SettingsFileBytes(QStringLiteral("C:\\PAT") + QChar(0xD800)).has_value());
    for (const char16_t* name : {u"C:\\PAT−95", u"C:\\〜", u"C:\\😀"}) {
        SCOPED_TRACE(QString::fromUtf16(name).toStdString());
        EXPECT_FALSE(SettingsFileBytes(QString::fromUtf16(name), "windows-31j").has_value());
    }
}

using Settings = SettingsPlaces;

TEST_F(Settings, FirstStartCreatesTheDefaultFileInTheProgramDirectory) {
    EXPECT_EQ(LoadSettings(), QStringLiteral("C:\\Windows\\Pat95"));
    EXPECT_EQ(contents(programFile()), fileOf("C:\\Windows\\Pat95"));
    EXPECT_FALSE(QFile::exists(configFile()));
    EXPECT_EQ(LoadSettings(), QStringLiteral("C:\\Windows\\Pat95"));
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(Settings, SavedDirectoriesComeBackWhole) {
    const char* directories[] = {"D:\\PAT95,old", "C:\\競馬\\PAT95", "\\\\server\\pat95", "E:\\",
                                 ""};
    for (const char* directory : directories) {
        SCOPED_TRACE(directory);
        QString DataDir = QStringLiteral("before");
        const QString text = QString::fromUtf8(directory);
        EXPECT_TRUE(SaveSettings(text, DataDir, nullptr));
        EXPECT_EQ(DataDir, text);
        EXPECT_EQ(contents(programFile()), fileOf(directory));
        EXPECT_EQ(LoadSettings(), text);
    }
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_FALSE(QFile::exists(configFile()));
}

TEST_F(Settings, ProgramDirectoryFileIsReadBeforeTheConfigurationFile) {
    ASSERT_TRUE(put(configFile(), fileOf("C:\\Config")));
    ASSERT_TRUE(put(programFile(), fileOf("C:\\Program")));
    EXPECT_EQ(LoadSettings(), QStringLiteral("C:\\Program"));
    ASSERT_TRUE(QFile::remove(programFile()));
    EXPECT_EQ(LoadSettings(), QStringLiteral("C:\\Config"));
    EXPECT_FALSE(QFile::exists(programFile()));
}

TEST_F(Settings, UnwritableProgramDirectorySendsTheFileToTheConfigurationDirectory) {
    blockProgramDir();
    EXPECT_EQ(LoadSettings(), QStringLiteral("C:\\Windows\\Pat95"));
    EXPECT_EQ(contents(configFile()), fileOf("C:\\Windows\\Pat95"));

    QString DataDir;
    EXPECT_TRUE(SaveSettings(QStringLiteral("E:\\PAT95"), DataDir, nullptr));
    EXPECT_EQ(contents(configFile()), fileOf("E:\\PAT95"));
    EXPECT_EQ(LoadSettings(), QStringLiteral("E:\\PAT95"));
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(Settings, NowhereToWriteIsSilentAtStartAndReportedOnSave) {
    blockProgramDir();
    blockConfigDir();
    EXPECT_EQ(LoadSettings(), QStringLiteral("C:\\Windows\\Pat95"));
    EXPECT_TRUE(messages.shown.empty());

    QString DataDir = QStringLiteral("C:\\Windows\\Pat95");
    EXPECT_FALSE(SaveSettings(QStringLiteral("E:\\PAT95"), DataDir, nullptr));
    EXPECT_EQ(DataDir, QStringLiteral("E:\\PAT95"));
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].title, QStringLiteral("Error"));
    EXPECT_EQ(messages.shown[0].icon, MsgIcon::Exclamation);
    EXPECT_TRUE(messages.shown[0].text.contains(configFile()))
        << messages.shown[0].text.toStdString();
    EXPECT_TRUE(messages.shown[0].text.contains(QStringLiteral("フォルダー")));
}

TEST_F(Settings, AnExistingProgramDirectoryFileIsNeverBypassed) {
    // A folder named ZEM.ini: it exists, so start-up would read it before any
    // other file; saving elsewhere would be lost at the next start.
    ASSERT_TRUE(QDir(ProgramDir()).mkdir(QStringLiteral("ZEM.ini")));
    EXPECT_EQ(LoadSettings(), QString());
    QString DataDir;
    EXPECT_FALSE(SaveSettings(QStringLiteral("E:\\PAT95"), DataDir, nullptr));
    EXPECT_EQ(DataDir, QStringLiteral("E:\\PAT95"));
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_TRUE(messages.shown[0].text.contains(programFile()));
    EXPECT_FALSE(QFile::exists(configFile()));
}

TEST_F(Settings, ANameTheCodePageCannotHoldIsReportedAndTheFileKept) {
    ASSERT_TRUE(put(programFile(), fileOf("C:\\PAT95")));
    QString DataDir = QStringLiteral("C:\\PAT95");
    const QString text = QStringLiteral("C:\\PAT") + QChar(0xD800);
    EXPECT_FALSE(SaveSettings(text, DataDir, nullptr));
    EXPECT_EQ(DataDir, text);
    EXPECT_EQ(contents(programFile()), fileOf("C:\\PAT95"));
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_TRUE(messages.shown[0].text.contains(programFile()));
    EXPECT_TRUE(messages.shown[0].text.contains(QStringLiteral("文字コード")));
}

TEST_F(Settings, AHugeFileIsReadFromItsStart) {
    ASSERT_TRUE(put(programFile(), fileOf("C:\\PAT95") + QByteArray(4 << 20, 'x')));
    EXPECT_EQ(LoadSettings(), QStringLiteral("C:\\PAT95"));
}
