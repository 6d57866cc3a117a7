#include <gtest/gtest.h>

#include <QComboBox>
#include <QFileSystemModel>
#include <QStandardPaths>
#include <QTest>
#include <QTreeView>

#include "common/ModalRun.h"
#include "common/ProgramDir.h"
#include "settings/Dialog.h"
#include "settings/Frm_Option.h"
#include "settings/Settings.h"
#include "settings/SettingsFile.h"
#include "support/Fixtures.h"

TEST(SettingsFile, ReadsLineTwoWholeAndWritesTwoLinesInTheCodePage) {
    const std::pair<const char*, const char16_t*> cases[] = {
        {"[Header]\r\nD:\\PAT95,old\r\n", u"D:\\PAT95,old"},  // a comma is part of the name
        {"[Header]\nD:\\LF\nD:\\Second\n", u"D:\\LF"},
        {"[Header]\r\n  \t D:\\Blanks  \r\n", u"D:\\Blanks  "},
        {"[Header]\r\n  \"D:\\Quoted, too\"  \r\n", u"D:\\Quoted, too"},
        {"[Header]\r\n", u""},  // one line
    };
    for (const auto& [bytes, directory] : cases)
        EXPECT_EQ(ReadSettingsText(bytes), QString::fromUtf16(directory)) << bytes;
    // The system's code page is UTF-8 here: CP932 by name. 表 ends in the byte of "\".
    const QByteArray cp932("[Header]\r\nC:\\\x95\x5c\\\x8b\xa3\x94\x6e\r\n");
    EXPECT_EQ(ReadSettingsText(cp932, "windows-31j"), u"C:\\表\\競馬"_qs);
    EXPECT_EQ(SettingsFileBytes(u"C:\\表\\競馬"_qs, "windows-31j"), cp932);
}

// An input found by fuzz_settings_reader, as found: line 2 is a quoted name with a
// leading blank; it reads as " SS", and written plainly it came back as "SS".
TEST(FuzzRegression, DirectoryBeginningWithABlankReadsBackWhole) {
    const QByteArray found("\n\" SS\" ");
    for (const char* encoding : {static_cast<const char*>(nullptr), "windows-31j"}) {
        const auto written = SettingsFileBytes(ReadSettingsText(found, encoding), encoding);
        EXPECT_EQ(written, QByteArray("[Header]\r\n\" SS\"\r\n"));
        EXPECT_EQ(ReadSettingsText(written.value_or(""), encoding), " SS");
    }
    // Enclosing quotes are kept the same way; a line end cannot be kept.
    EXPECT_EQ(ReadSettingsText(*SettingsFileBytes(QStringLiteral("\"D:\\Q\""))), "\"D:\\Q\"");
    EXPECT_FALSE(SettingsFileBytes(QStringLiteral("D:\\A\nB")).has_value());
}

// A test's own program directory and configuration directory (XDG_CONFIG_HOME),
// both temporary; a place below the regular file "blocker" cannot be created,
// even by root. HOME and WINEPREFIX are put back afterwards.
class Settings : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(places.write("blocker", "not a directory"));
        programDir("program");
        configHome("config");
        ASSERT_TRUE(QDir().mkpath(ProgramDir()));
    }
    void TearDown() override {
        SetProgramDir(QString());
        QDir::setCurrent(QDir::tempPath());
        qputenv("HOME", savedHome);
        savedPrefix.isEmpty() ? qunsetenv("WINEPREFIX") : qputenv("WINEPREFIX", savedPrefix);
    }
    void programDir(const char* name) { SetProgramDir(places.file(name)); }
    void configHome(const char* name) { qputenv("XDG_CONFIG_HOME", places.file(name).toUtf8()); }
    static QString programFile() { return ProgramDir() + "/ZEM.ini"; }
    static QString configFile() {
        return QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation) + "/ZEM.ini";
    }
    // A failed save is reported naming the file and the reason; DataDir takes the text.
    void expectFailedSave(const QString& text, const QString& file, const QString& reason) {
        QString DataDir;
        const Attempt saved = SaveSettings(text, DataDir);
        ASSERT_TRUE(!saved && DataDir == text);
        const QString shown = saved.failure->text;
        EXPECT_TRUE(shown.contains(file) && shown.contains(reason) &&
                    saved.failure->icon == MsgIcon::Exclamation)
            << shown.toStdString();
    }

    const QByteArray savedHome = qgetenv("HOME"), savedPrefix = qgetenv("WINEPREFIX");
    TempDir places;
    MessageRecorder messages;
};

TEST_F(Settings, SavedDirectoriesComeBackWholeOrTheFailureIsReported) {
    QString DataDir;
    // The first start writes the default.
    EXPECT_TRUE(LoadSettings() == u"C:\\Windows\\Pat95"_qs && QFile::exists(programFile()));
    for (const QString& directory : {QString(), u"D:\\PAT95,old"_qs, u"C:\\競馬"_qs, u"E:\\"_qs}) {
        EXPECT_TRUE(SaveSettings(directory, DataDir));
        EXPECT_EQ(DataDir + "|" + LoadSettings(), directory + "|" + directory);
    }
    expectFailedSave(u"C:\\PAT"_qs + QChar(0xD800), programFile(), u"文字コード"_qs);
    EXPECT_EQ(LoadSettings(), u"E:\\"_qs);  // the file is left as it was
    // A folder named ZEM.ini would be read first at start-up: nothing is saved elsewhere.
    ASSERT_TRUE(QFile::remove(programFile()) && QDir(ProgramDir()).mkdir("ZEM.ini"));
    expectFailedSave(u"E:\\PAT95"_qs, programFile(), u"同じ名前のフォルダー"_qs);
    EXPECT_FALSE(QFile::exists(configFile()));
    // Where the program directory cannot take the file, the configuration directory does.
    programDir("blocker/program");
    EXPECT_TRUE(LoadSettings() == u"C:\\Windows\\Pat95"_qs && QFile::exists(configFile()));
    EXPECT_TRUE(SaveSettings(u"C:\\Config"_qs, DataDir));
    ASSERT_TRUE(QDir(places.file("program")).rmdir("ZEM.ini"));
    programDir("program");  // read second
    EXPECT_EQ(LoadSettings(), u"C:\\Config"_qs);
    EXPECT_TRUE(SaveSettings(u"C:\\Program"_qs, DataDir));  // and first
    EXPECT_EQ(LoadSettings(), u"C:\\Program"_qs);
    EXPECT_TRUE(messages.shown.empty());  // nothing said when all goes well
    programDir("blocker/program");
    configHome("blocker/config");
    expectFailedSave(u"E:\\PAT95"_qs, configFile(), u"フォルダー"_qs);
}

// Waits until the chooser shows the directory as a row of Dir1, then opens it
// with a double click as the window system delivers one.
void OpenRow(QDialog& chooser, const QString& path) {
    auto* tree = Find<QTreeView>(&chooser, "Dir1");
    const QModelIndex row = static_cast<QFileSystemModel*>(tree->model())->index(path);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !tree->visualRect(row).isEmpty(); }));
    tree->scrollTo(row);
    const QPoint at = tree->visualRect(row).center();
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(tree->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseRelease(tree->viewport(), Qt::LeftButton, {}, at);
}

TEST_F(Settings, OptionsWindowWithAndWithoutTheChooser) {
    ASSERT_TRUE(QDir().mkpath(places.file("cwd/PAT 95,JRA")) &&
                QDir::setCurrent(places.file("cwd")));
    const QString start = QDir::currentPath(), chosen = start + "/PAT 95,JRA";
    const QString root = QDir::toNativeSeparators(QDir::rootPath());
    auto press = [](const char* b) { return [b](QDialog& w) { Click(Find<QWidget>(&w, b)); }; };
    auto key = [](Qt::Key k) {
        return [k](QDialog& c) { QTest::keyClick(Find<QTreeView>(&c, "Dir1"), k); };
    };
    auto drives = [](QDialog& chooser) { return Find<QComboBox>(&chooser, "Drive1"); };
    auto opened = [](QDialog& chooser) { return static_cast<Dialog&>(chooser).openedDirectory(); };
    // Text typed, steps in the chooser after `chosen` is opened, how the options window
    // is left (a button, Escape or Return), the directory then.
    const std::tuple<const char*, std::function<void(QDialog&)>, const char*, QString> cases[] = {
        {"E:\\Other", {}, "Escape", "C:\\PAT95"},
        {"E:\\Other", {}, "Return", "C:\\PAT95"},  // Enter presses no button
        {"D:\\JRA,PAT95\\", {}, "Command2", "D:\\JRA,PAT95\\"},
        {nullptr, press("OKButton"), "Command2", chosen},
        {nullptr, press("CancelButton"), "Command2", "C:\\PAT95"},
        // Enter opens the drive's root, at the top, which keeps its separator.
        {nullptr,
         [&](QDialog& c) { key(Qt::Key_Home)(c), key(Qt::Key_Return)(c), press("OKButton")(c); },
         "Command2", root},
        // A drive that cannot be read is reported and left; another drive shows its root,
        // and going back shows the first drive's tree again.
        {nullptr,
         [&](QDialog& c) {
             drives(c)->addItem("Q:\\", places.file("no medium"));
             QTest::keyClick(drives(c), Qt::Key_End);
             EXPECT_EQ(messages.texts(), QStringList{u"ドライブ Q:\\ を読み取れません。"_qs});
             drives(c)->addItem("Z:\\", places.file("program"));
             QTest::keyClick(drives(c), Qt::Key_End);
             EXPECT_EQ(opened(c), QDir::toNativeSeparators(places.file("program")));
             QTest::keyClick(drives(c), Qt::Key_Home);
             OpenRow(c, chosen);
             press("OKButton")(c);
         },
         "Command2", chosen},
    };
    ModalDriver modal;
    for (const auto& [typed, inChooser, leave, kept] : cases) {
        QString DataDir;
        ASSERT_TRUE(SaveSettings(u"C:\\PAT95"_qs, DataDir));
        modal.then([&](QDialog& window) {
            QStringList texts;
            for (const char* name : {"Label1", "Text1", "Command1", "Command2", "Command3"})
                texts << Find<QWidget>(&window, name)->property("text").toString();
            EXPECT_EQ(texts.join(u'|'), u"PAT95のインストール先|C:\\PAT95|参照|OK|Cancel"_qs);
            if (typed) Find<QWidget>(&window, "Text1")->setProperty("text", typed);
            if (inChooser) {
                modal.then([&](QDialog& chooser) {
                    EXPECT_EQ(opened(chooser) + drives(chooser)->currentText(), start + root);
                    OpenRow(chooser, chosen);
                    inChooser(chooser);
                    EXPECT_FALSE(chooser.isVisible());
                });
                press("Command1")(window);
            }
            *leave == 'C' ? press(leave)(window)
                          : QTest::keyClick(Find<QWidget>(&window, "Text1"),
                                            *leave == 'E' ? Qt::Key_Escape : Qt::Key_Return);
            EXPECT_EQ(window.isVisible(), *leave == 'R');
        });
        Frm_Option window(DataDir);
        RunModal(window);
        DataDir = window.chosen().value_or(DataDir);
        EXPECT_EQ(DataDir + "|" + LoadSettings(), kept + "|" + kept);
    }
    EXPECT_EQ(modal.opened.count("Dialog"), 4);  // and never from Enter in the options window
}

TEST_F(Settings, ChooserGivesTheOpenedDirectoryOnOkAndNothingOnCancel) {
    ASSERT_TRUE(QDir().mkpath(places.file("cwd/PAT95")) && QDir::setCurrent(places.file("cwd")));
    const QString opened = QDir::currentPath() + "/PAT95";
    const std::pair<const char*, std::optional<QString>> cases[] = {
        {"OKButton", QDir::toNativeSeparators(opened)}, {"CancelButton", std::nullopt}};
    ModalDriver modal;
    for (const auto& [button, expected] : cases) {
        modal.then([&](QDialog& chooser) {
            OpenRow(chooser, opened);
            Click(Find<QWidget>(&chooser, button));
        });
        Dialog chooser;
        RunModal(chooser);
        EXPECT_EQ(chooser.chosen().value_or("nullopt"), expected.value_or("nullopt")) << button;
    }
}

TEST_F(Settings, ChooserShowsHiddenFoldersAndTheCDriveOfEachWinePrefix) {
    // A home with Wine's own prefix, and another prefix named by WINEPREFIX.
    const QString home = places.file("home"), wine = home + "/.wine/drive_c";
    const QString prefix = places.file("prefix");
    for (const QString& dir : {wine + "/PAT95", prefix + "/drive_c/Windows"})
        ASSERT_TRUE(QDir().mkpath(dir));
    qputenv("HOME", home.toUtf8());
    qputenv("WINEPREFIX", prefix.toUtf8());
    ASSERT_TRUE(QDir::setCurrent(home));

    Dialog chooser;
    ShowAndWait(&chooser);
    QComboBox* drives = Find<QComboBox>(&chooser, "Drive1");
    const int ours = drives->count() - 1, system = drives->currentIndex();
    EXPECT_EQ(drives->itemText(ours - 1) + "|" + drives->itemText(ours),
              "C: (Wine: " + QDir::toNativeSeparators(prefix) + ")|C: (Wine)");
    OpenRow(chooser, home + "/.wine");  // a hidden folder
    // Each drive opens at its root the first time, then where the user was on it.
    drives->setCurrentIndex(ours);
    OpenRow(chooser, wine + "/PAT95");
    const std::pair<int, QString> visits[] = {
        {system, home + "/.wine"}, {ours, wine + "/PAT95"}, {ours - 1, prefix + "/drive_c"}};
    for (const auto& [drive, opened] : visits) {
        drives->setCurrentIndex(drive);
        EXPECT_EQ(chooser.openedDirectory(), QDir::toNativeSeparators(opened));
    }
}
