#include <gtest/gtest.h>

#include <unistd.h>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QPlainTextEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QRegularExpression>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>

#include "app/Frm_Help.h"
#include "app/Frm_Main.h"
#include "app/MemoCommands.h"
#include "common/ProgramDir.h"
#include "racedata/AppState.h"
#include "racedata/Cp932.h"
#include "support/Fixtures.h"

namespace {

// A window with the memo, the commands, and a save dialog that answers with
// the queued file names (an empty name is Cancel).
class MemoCommandsTest : public ::testing::Test {
protected:
    MemoCommandsTest() {
        SetSaveFileDialog([this](QWidget*, const QString& fileName) {
            offered << fileName;
            return chosen.isEmpty() ? QString() : chosen.takeFirst();
        });
    }
    ~MemoCommandsTest() override { SetSaveFileDialog({}); }

    QByteArray read(const QString& path) {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(missing)");
    }

    // Points the printer at a PDF file of the temporary directory.
    QString printToPdf(const QString& name) {
        commands.printer().setOutputFormat(QPrinter::PdfFormat);
        commands.printer().setOutputFileName(dir.file(name));
        return dir.file(name);
    }

    static int pdfPages(const QByteArray& pdf) {
        return int(pdf.count("/Type /Page\n") + pdf.count("/Type /Page\r") +
                   pdf.count("/Type /Page/") + pdf.count("/Type /Page>"));
    }

    MessageRecorder messages;
    ModalDriver modal;
    TempDir dir;
    QWidget window;
    QPlainTextEdit* memo = new QPlainTextEdit(&window);
    MemoCommands commands{memo};
    QStringList chosen;
    QStringList offered;
};

}  // namespace

TEST_F(MemoCommandsTest, SavedFileIsTheMemoInCp932WithCrLfLineEnds) {
    const struct {
        const char* name;
        const char16_t* memo;
        const char16_t* saved;
    } cases[] = {
        {"empty.txt", u"", u"\r\n"},
        {"two.txt", u"東京\t11R\t馬連\n\t3-7\t800", u"東京\t11R\t馬連\r\n\t3-7\t800\r\n"},
        {"block.txt", u"中山\t1R\t単・複勝\n\t5\t1200\n\n",
         u"中山\t1R\t単・複勝\r\n\t5\t1200\r\n\r\n\r\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        memo->setPlainText(QString::fromUtf16(c.memo));
        chosen << dir.file(QLatin1String(c.name));
        commands.Save_Click();
        const QByteArray bytes = read(dir.file(QLatin1String(c.name)));
        bool representable = false;
        EXPECT_EQ(bytes, EncodeCp932(QString::fromUtf16(c.saved), &representable));
        EXPECT_TRUE(representable);
        EXPECT_EQ(DecodeCp932(bytes), QString::fromUtf16(c.saved));  // reads back as typed
    }
    EXPECT_EQ(read(dir.file("empty.txt")), QByteArray("\r\n"));
    EXPECT_EQ(read(dir.file("two.txt")).right(9), QByteArray("3-7\t800\r\n"));
    EXPECT_EQ(read(dir.file("two.txt")).left(4), QByteArray("\x93\x8C\x8B\x9E"));  // 東京
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(MemoCommandsTest, CancelledDialogWritesNothingAndTheNameIsOfferedAgain) {
    memo->setPlainText(QStringLiteral("メモ"));
    commands.Save_Click();  // cancelled
    EXPECT_TRUE(QDir(dir.path()).isEmpty());

    chosen << dir.file("memo.txt");
    commands.Save_Click();
    commands.Save_Click();  // cancelled again
    EXPECT_EQ(offered, QStringList({QString(), QString(), dir.file("memo.txt")}));
    EXPECT_EQ(commands.lastFileName(), dir.file("memo.txt"));
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(MemoCommandsTest, ExistingFileIsReplacedOnlyAfterConfirmation) {
    memo->setPlainText(QStringLiteral("新しいメモ"));
    for (const MsgAnswer answer : {MsgAnswer::No, MsgAnswer::Yes}) {
        SCOPED_TRACE(answer == MsgAnswer::Yes ? "yes" : "no");
        ASSERT_TRUE(dir.write("memo.txt", "old\r\n"));
        messages.clear();
        messages.answers.push_back(answer);
        chosen << dir.file("memo.txt");
        commands.Save_Click();
        ASSERT_EQ(messages.shown.size(), 1u);
        EXPECT_EQ(messages.shown[0].buttons, MsgButtons::YesNo);
        EXPECT_TRUE(
            messages.shown[0].text.contains(QDir::toNativeSeparators(dir.file("memo.txt"))));
        EXPECT_TRUE(messages.shown[0].text.contains(QStringLiteral("置き換えますか")));
        EXPECT_EQ(read(dir.file("memo.txt")), answer == MsgAnswer::Yes
                                                  ? EncodeCp932(u"新しいメモ\r\n")
                                                  : QByteArray("old\r\n"));
    }
}

TEST_F(MemoCommandsTest, CharactersWithoutCp932FormAreAskedAboutFirst) {
    memo->setPlainText(QStringLiteral("目標 \U0001F600 達成"));
    for (const MsgAnswer answer : {MsgAnswer::Cancel, MsgAnswer::Ok}) {
        messages.clear();
        messages.answers.push_back(answer);
        chosen << dir.file("emoji.txt");
        commands.Save_Click();
        ASSERT_EQ(messages.shown.size(), 1u);
        EXPECT_EQ(messages.shown[0].buttons, MsgButtons::OkCancel);
        EXPECT_TRUE(messages.shown[0].text.contains(QStringLiteral("シフトJIS")));
        if (answer == MsgAnswer::Cancel) {
            EXPECT_FALSE(QFile::exists(dir.file("emoji.txt")));
        } else {
            EXPECT_EQ(read(dir.file("emoji.txt")), EncodeCp932(u"目標 ? 達成\r\n"));
        }
    }
}

TEST_F(MemoCommandsTest, FailedSaveIsReportedAndLeavesTheOldContent) {
    const QString memoText = QStringLiteral("残すメモ");
    memo->setPlainText(memoText);
    ASSERT_TRUE(QDir(dir.path()).mkdir("folder"));
    ASSERT_TRUE(dir.write("folder/inside.txt", "kept"));

    const struct {
        QString target;
        const char16_t* reason;
    } cases[] = {
        {dir.file("folder"), u"同じ名前のフォルダーがあります。"},
        {dir.file("missing/memo.txt"), u"保存先のフォルダーがありません。"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.target.toStdString());
        messages.clear();
        chosen << c.target;
        commands.Save_Click();
        ASSERT_EQ(messages.shown.size(), 1u);
        EXPECT_EQ(messages.shown[0].title, QStringLiteral("Error"));
        EXPECT_TRUE(
            messages.shown[0].text.startsWith(QStringLiteral("ファイルを保存できませんでした。")));
        EXPECT_TRUE(messages.shown[0].text.contains(QString::fromUtf16(c.reason)));
    }
    EXPECT_EQ(read(dir.file("folder/inside.txt")), QByteArray("kept"));
    EXPECT_FALSE(QFileInfo::exists(dir.file("missing")));
    EXPECT_EQ(memo->toPlainText(), memoText);
}

TEST_F(MemoCommandsTest, FailedSaveInReadOnlyDirectoryKeepsTheOldFile) {
    if (geteuid() == 0) GTEST_SKIP() << "permissions do not stop root";
    ASSERT_TRUE(QDir(dir.path()).mkdir("locked"));
    ASSERT_TRUE(dir.write("locked/memo.txt", "old\r\n"));
    ASSERT_TRUE(QFile::setPermissions(dir.file("locked"), QFile::ReadOwner | QFile::ExeOwner));
    memo->setPlainText(QStringLiteral("新しい"));
    chosen << dir.file("locked/memo.txt");
    commands.Save_Click();  // confirmed by the recorder's Yes
    QFile::setPermissions(dir.file("locked"),
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    ASSERT_EQ(messages.shown.size(), 2u);
    EXPECT_TRUE(
        messages.shown[1].text.startsWith(QStringLiteral("ファイルを保存できませんでした。")));
    EXPECT_EQ(read(dir.file("locked/memo.txt")), QByteArray("old\r\n"));
    EXPECT_EQ(QDir(dir.file("locked")).entryList(QDir::Files), QStringList({"memo.txt"}));
}

TEST_F(MemoCommandsTest, PrintCancelledPrintsNothing) {
    memo->setPlainText(QStringLiteral("印刷しない"));
    const QString pdf = printToPdf("cancel.pdf");
    commands.Print_Click();  // no step: the dialog is cancelled
    EXPECT_EQ(modal.opened, QStringList({"PrintDialog"}));
    EXPECT_FALSE(QFile::exists(pdf));
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(MemoCommandsTest, PrintWritesPagesAndWrapsLongLines) {
    QString lines;
    for (int i = 0; i < 150; ++i) lines += QStringLiteral("東京\t11R\t馬連 %1\n").arg(i);
    const struct {
        const char* name;
        QString text;
        int minPages;
        int maxPages;
    } cases[] = {
        {"short.pdf", QStringLiteral("東京\t11R\t馬連\n\t3-7\t800\n\t3-9\t500\n"), 1, 1},
        {"long.pdf", lines, 2, 10},                         // runs on to further pages
        {"wide.pdf", QString(6000, QChar(0x99AC)), 2, 10},  // one line of 馬 wraps
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        memo->setPlainText(c.text);
        const QString pdf = printToPdf(QLatin1String(c.name));
        modal.then([](QDialog& dialog) { dialog.accept(); });
        commands.Print_Click();
        EXPECT_TRUE(messages.shown.empty());
        const QByteArray bytes = read(pdf);
        EXPECT_TRUE(bytes.startsWith("%PDF"));
        EXPECT_GE(pdfPages(bytes), c.minPages);
        EXPECT_LE(pdfPages(bytes), c.maxPages);
    }
}

TEST_F(MemoCommandsTest, PrinterFailureIsReported) {
    memo->setPlainText(QStringLiteral("メモ"));
    commands.printer().setOutputFormat(QPrinter::PdfFormat);
    commands.printer().setOutputFileName(dir.file("missing/out.pdf"));
    modal.then([](QDialog& dialog) { dialog.accept(); });
    commands.Print_Click();
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_TRUE(messages.shown[0].text.startsWith(QStringLiteral("印刷できませんでした。")));
}

TEST_F(MemoCommandsTest, HelpOpensAtItsContentsWhateverTheCurrentDirectory) {
    const QString before = QDir::currentPath();
    QTemporaryDir elsewhere;
    ASSERT_TRUE(QDir::setCurrent(elsewhere.path()));
    SetProgramDir({});  // the directory of the program
    commands.mokuji_Click();
    QDir::setCurrent(before);

    Frm_Help* help = commands.helpWindow();
    ASSERT_NE(help, nullptr);
    EXPECT_TRUE(help->isVisible());
    QTextBrowser* browser = Find<QTextBrowser>(help, "Txt_Help");
    EXPECT_EQ(
        browser->source(),
        QUrl::fromLocalFile(
            QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("ZEM.hlp"))));
    EXPECT_EQ(browser->documentTitle(), QStringLiteral("ZEM ヘルプ"));
    EXPECT_TRUE(browser->toPlainText().startsWith(QStringLiteral("ZEM ヘルプ")));
    EXPECT_EQ(browser->verticalScrollBar()->value(), 0);  // the contents page

    // After reading further down, the command shows the contents again in the same window.
    browser->setSource(QUrl(QStringLiteral("#memo")));
    ASSERT_GT(browser->verticalScrollBar()->value(), 0);
    commands.mokuji_Click();
    EXPECT_EQ(commands.helpWindow(), help);
    EXPECT_EQ(browser->verticalScrollBar()->value(), 0);
    help->close();
}

TEST_F(MemoCommandsTest, MissingHelpFileIsSaidInTheWindow) {
    SetProgramDir(dir.path());
    commands.mokuji_Click();
    SetProgramDir({});
    ASSERT_NE(commands.helpWindow(), nullptr);
    const QString shown = commands.helpWindow()->Txt_Help->toPlainText();
    EXPECT_TRUE(shown.contains(QStringLiteral("ヘルプファイルが見つかりません。")));
    EXPECT_TRUE(shown.contains(QDir::toNativeSeparators(dir.file("ZEM.hlp"))));
    EXPECT_TRUE(messages.shown.empty());
    commands.helpWindow()->close();
}

TEST(HelpFile, ContentsLinkEverySectionAndEverySectionExists) {
    QFile file(QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("ZEM.hlp")));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QString html = QString::fromUtf8(file.readAll());
    QStringList links;
    for (const auto& m : QRegularExpression(QStringLiteral("href=\"#(\\w+)\"")).globalMatch(html)) {
        links << m.captured(1);
    }
    QStringList anchors;
    for (const auto& m : QRegularExpression(QStringLiteral("name=\"(\\w+)\"")).globalMatch(html)) {
        anchors << m.captured(1);
    }
    for (const char* section :
         {"contents", "main", "result", "special", "separate", "odds", "option", "memo"}) {
        SCOPED_TRACE(section);
        EXPECT_TRUE(anchors.contains(QLatin1String(section)));
        EXPECT_TRUE(links.contains(QLatin1String(section)));
    }
    for (const QString& link : links) EXPECT_TRUE(anchors.contains(link)) << link.toStdString();
}

// The main window's menu items and F1 run the commands on its memo.
TEST(MainWindowMemo, MenuItemsAndF1RunTheCommands) {
    MessageRecorder messages;
    ModalDriver modal;
    TempDir dir;
    AppState state;
    Frm_Main window(state);
    ShowAndWait(&window);
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    window.Txt_Main->setPlainText(QStringLiteral("中山\t1R\t馬連"));

    SetSaveFileDialog([&](QWidget* parent, const QString&) {
        EXPECT_EQ(parent, &window);
        return dir.file("memo.txt");
    });
    window.Save->trigger();
    SetSaveFileDialog({});
    EXPECT_EQ(dir.read("memo.txt"), EncodeCp932(u"中山\t1R\t馬連\r\n"));

    window.memoCommands().printer().setOutputFormat(QPrinter::PdfFormat);
    window.memoCommands().printer().setOutputFileName(dir.file("memo.pdf"));
    modal.then([](QDialog& dialog) { dialog.accept(); });
    window.Print->trigger();
    EXPECT_EQ(modal.opened, QStringList({"PrintDialog"}));
    EXPECT_TRUE(dir.read("memo.pdf").startsWith("%PDF"));

    window.mokuji->trigger();
    QPointer<Frm_Help> help = window.memoCommands().helpWindow();
    ASSERT_TRUE(help);
    EXPECT_TRUE(help->isVisible());
    help->close();
    ASSERT_TRUE(QTest::qWaitFor([&] { return help.isNull(); }));

    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitFor([&] { return QApplication::activeWindow() == &window; }));
    QTest::keyClick(window.Txt_Main, Qt::Key_F1);
    help = window.memoCommands().helpWindow();
    ASSERT_TRUE(help);
    EXPECT_TRUE(help->isVisible());
    EXPECT_EQ(help->Txt_Help->documentTitle(), QStringLiteral("ZEM ヘルプ"));
    EXPECT_TRUE(messages.shown.empty());
}
