#include <gtest/gtest.h>

#include <QComboBox>
#include <QFileSystemModel>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTreeView>

#include "common/ModalRun.h"
#include "settings/Dialog.h"
#include "settings/Frm_Option.h"
#include "settings/Settings.h"
#include "tests/settings/SettingsPlaces.h"

namespace {

// The process's current directory for one test.
class CurrentDir {
public:
    explicit CurrentDir(const QString& path) : saved_(QDir::currentPath()) {
        EXPECT_TRUE(QDir::setCurrent(path));
    }
    ~CurrentDir() { QDir::setCurrent(saved_); }

private:
    QString saved_;
};

QString native(const QString& path) {
    return QDir::toNativeSeparators(path);
}

// Waits until the chooser shows the directory at path as a row of Dir1.
QModelIndex WaitForRow(QDialog& dialog, const QString& path) {
    auto* tree = dialog.findChild<QTreeView*>(QStringLiteral("Dir1"));
    auto* model = qobject_cast<QFileSystemModel*>(tree->model());
    QModelIndex index;
    const bool shown = QTest::qWaitFor([&] {
        index = model->index(path);
        return index.isValid() && !tree->visualRect(index).isEmpty();
    });
    EXPECT_TRUE(shown) << "no row for " << path.toStdString();
    return index;
}

void DoubleClickRow(QDialog& dialog, const QModelIndex& index) {
    auto* tree = dialog.findChild<QTreeView*>(QStringLiteral("Dir1"));
    tree->scrollTo(index);
    // As the window system delivers a double click: press, release, double
    // click, release.
    const QPoint at = tree->visualRect(index).center();
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, Qt::NoModifier, at);
    QTest::mouseDClick(tree->viewport(), Qt::LeftButton, Qt::NoModifier, at);
    QTest::mouseRelease(tree->viewport(), Qt::LeftButton, Qt::NoModifier, at);
}

}  // namespace

class OptionWindow : public SettingsPlaces {
protected:
    void SetUp() override {
        SettingsPlaces::SetUp();
        ASSERT_TRUE(put(programFile(), fileOf("C:\\PAT95")));
        DataDir = LoadSettings();
        ASSERT_EQ(DataDir, QStringLiteral("C:\\PAT95"));
        ASSERT_TRUE(QDir(places.path()).mkpath(QStringLiteral("start/PAT 95,JRA")));
        start = QFileInfo(places.file(QStringLiteral("start"))).canonicalFilePath();
        chosen = start + QStringLiteral("/PAT 95,JRA");
    }

    // Opens the options window as the main window does; step drives it.
    int open(ModalDriver::Step step) {
        modal.then(std::move(step));
        Frm_Option window(DataDir);
        return RunModal(window);
    }

    void expectUnchanged() {
        EXPECT_EQ(DataDir, QStringLiteral("C:\\PAT95"));
        EXPECT_EQ(contents(programFile()), fileOf("C:\\PAT95"));
    }

    QString DataDir;
    QString start, chosen;
    ModalDriver modal;
};

TEST_F(OptionWindow, ShowsItsControls) {
    open([](QDialog& window) {
        EXPECT_EQ(window.windowTitle(), QStringLiteral("Option"));
        EXPECT_EQ(window.size(), window.minimumSize());
        EXPECT_EQ(window.size(), window.maximumSize());
        EXPECT_EQ(Find<QLabel>(&window, "Label1")->text(), QStringLiteral("PAT95のインストール先"));
        EXPECT_EQ(Find<QLineEdit>(&window, "Text1")->text(), QStringLiteral("C:\\PAT95"));
        EXPECT_EQ(Find<QPushButton>(&window, "Command1")->text(), QStringLiteral("参照"));
        EXPECT_EQ(Find<QPushButton>(&window, "Command2")->text(), QStringLiteral("OK"));
        EXPECT_EQ(Find<QPushButton>(&window, "Command3")->text(), QStringLiteral("Cancel"));
    });
}

TEST_F(OptionWindow, OkWithTheTextUnchangedRewritesTheSameTwoLines) {
    // A hand-edited file: LF line ends and quotes.
    ASSERT_TRUE(put(programFile(), "[Header]\n\"C:\\PAT95\"\n"));
    const int result = open([](QDialog& window) { Click(Find<QPushButton>(&window, "Command2")); });
    EXPECT_EQ(result, QDialog::Accepted);
    expectUnchanged();
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(OptionWindow, OkSavesTheTextAsTyped) {
    for (const char* typed : {"D:\\JRA,PAT95\\", "not a directory", ""}) {
        SCOPED_TRACE(typed);
        const int result = open([&](QDialog& window) {
            Find<QLineEdit>(&window, "Text1")->setText(QString::fromUtf8(typed));
            Click(Find<QPushButton>(&window, "Command2"));
        });
        EXPECT_EQ(result, QDialog::Accepted);
        EXPECT_EQ(DataDir, QString::fromUtf8(typed));
        EXPECT_EQ(contents(programFile()), fileOf(typed));
        EXPECT_EQ(LoadSettings(), QString::fromUtf8(typed));
    }
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(OptionWindow, CancelAndEscDiscardTheEdit) {
    const std::function<void(QDialog&)> closers[] = {
        [](QDialog& window) { Click(Find<QPushButton>(&window, "Command3")); },
        [](QDialog& window) { QTest::keyClick(Find<QLineEdit>(&window, "Text1"), Qt::Key_Escape); },
    };
    for (const auto& close : closers) {
        bool closed = false;
        const int result = open([&](QDialog& window) {
            Find<QLineEdit>(&window, "Text1")->setText(QStringLiteral("E:\\Other"));
            close(window);
            closed = !window.isVisible();
        });
        EXPECT_TRUE(closed);
        EXPECT_EQ(result, QDialog::Rejected);
        expectUnchanged();
    }
}

TEST_F(OptionWindow, EnterInTheTextBoxPressesNoButton) {
    bool open_after_enter = false;
    this->open([&](QDialog& window) {
        auto* text = Find<QLineEdit>(&window, "Text1");
        text->setText(QStringLiteral("E:\\Other"));
        QTest::keyClick(text, Qt::Key_Return);
        open_after_enter = window.isVisible();
    });
    EXPECT_TRUE(open_after_enter);
    expectUnchanged();
}

TEST_F(OptionWindow, ChooserStartsAtTheCurrentDirectoryAndOkPutsTheOpenedOneIntoText1) {
    const CurrentDir current(start);
    QString text;
    open([&](QDialog& window) {
        modal.then([&](QDialog& chooser) {
            EXPECT_EQ(chooser.windowTitle(), QString());
            EXPECT_EQ(chooser.size(), chooser.maximumSize());
            auto* tree = Find<QTreeView>(&chooser, "Dir1");
            auto* model = qobject_cast<QFileSystemModel*>(tree->model());
            EXPECT_EQ(model->filePath(tree->currentIndex()), start);
            EXPECT_EQ(Find<QComboBox>(&chooser, "Drive1")->currentText(), native(QDir::rootPath()));
            EXPECT_EQ(Find<QPushButton>(&chooser, "OKButton")->text(), QStringLiteral("OK"));
            EXPECT_EQ(Find<QPushButton>(&chooser, "CancelButton")->text(),
                      QStringLiteral("Cancel"));
            DoubleClickRow(chooser, WaitForRow(chooser, chosen));
            EXPECT_EQ(model->filePath(tree->currentIndex()), chosen);
            Click(Find<QPushButton>(&chooser, "OKButton"));
        });
        Click(Find<QPushButton>(&window, "Command1"));
        text = Find<QLineEdit>(&window, "Text1")->text();
        Click(Find<QPushButton>(&window, "Command2"));
    });
    EXPECT_EQ(modal.opened, QStringList({"Frm_Option", "Dialog"}));
    EXPECT_EQ(text, native(chosen));
    EXPECT_EQ(DataDir, native(chosen));
    EXPECT_EQ(LoadSettings(), native(chosen));
}

TEST_F(OptionWindow, ChosenDirectoryIsDiscardedByCancelInTheOptionsWindow) {
    const CurrentDir current(start);
    open([&](QDialog& window) {
        modal.then([&](QDialog& chooser) {
            DoubleClickRow(chooser, WaitForRow(chooser, chosen));
            Click(Find<QPushButton>(&chooser, "OKButton"));
        });
        Click(Find<QPushButton>(&window, "Command1"));
        EXPECT_EQ(Find<QLineEdit>(&window, "Text1")->text(), native(chosen));
        Click(Find<QPushButton>(&window, "Command3"));
    });
    expectUnchanged();
}

TEST_F(OptionWindow, ChooserCancelAndEscLeaveText1) {
    const CurrentDir current(start);
    const std::function<void(QDialog&)> closers[] = {
        [](QDialog& chooser) { Click(Find<QPushButton>(&chooser, "CancelButton")); },
        [](QDialog& chooser) {
            QTest::keyClick(Find<QTreeView>(&chooser, "Dir1"), Qt::Key_Escape);
        },
    };
    for (const auto& close : closers) {
        bool closed = false;
        QString text;
        open([&](QDialog& window) {
            modal.then([&](QDialog& chooser) {
                DoubleClickRow(chooser, WaitForRow(chooser, chosen));
                close(chooser);
                closed = !chooser.isVisible();
            });
            Click(Find<QPushButton>(&window, "Command1"));
            text = Find<QLineEdit>(&window, "Text1")->text();
        });
        EXPECT_TRUE(closed);
        EXPECT_EQ(text, QStringLiteral("C:\\PAT95"));
    }
    expectUnchanged();
}

// The chooser alone, as the options window opens it.
class Chooser : public OptionWindow {
protected:
    QString choose(ModalDriver::Step step) {
        QLineEdit Text1(QStringLiteral("unchanged"));
        modal.then(std::move(step));
        Dialog chooser(&Text1);
        RunModal(chooser);
        return Text1.text();
    }
};

TEST_F(Chooser, TheCurrentDirectoryIsShownSelected) {
    // Enough siblings above it that the tree must scroll to show it.
    for (int i = 0; i < 40; ++i) {
        ASSERT_TRUE(QDir(places.path()).mkdir(QStringLiteral("a%1").arg(i, 2, 10, QChar(u'0'))));
    }
    const CurrentDir current(start);
    choose([&](QDialog& chooser) {
        auto* tree = Find<QTreeView>(&chooser, "Dir1");
        auto* model = qobject_cast<QFileSystemModel*>(tree->model());
        const QPersistentModelIndex opened = model->index(start);
        const QPersistentModelIndex last = model->index(places.file(QStringLiteral("a39")));
        // The siblings have come in and been sorted above it.
        ASSERT_TRUE(QTest::qWaitFor([&] { return last.isValid() && last.row() < opened.row(); }));
        EXPECT_TRUE(tree->selectionModel()->isSelected(opened));
        EXPECT_TRUE(QTest::qWaitFor(
            [&] { return tree->viewport()->rect().contains(tree->visualRect(opened)); }));
    });
}

TEST_F(Chooser, EnterOpensADirectoryAndADriveRootKeepsItsSeparator) {
    const CurrentDir current(start);
    const QString text = choose([&](QDialog& chooser) {
        auto* tree = Find<QTreeView>(&chooser, "Dir1");
        WaitForRow(chooser, chosen);
        QTest::keyClick(tree, Qt::Key_Home);  // the drive's root, at the top
        QTest::keyClick(tree, Qt::Key_Return);
        EXPECT_TRUE(chooser.isVisible());
        Click(Find<QPushButton>(&chooser, "OKButton"));
    });
    EXPECT_EQ(text, native(QDir::rootPath()));
    EXPECT_TRUE(text.endsWith(QDir::separator()));
}

TEST_F(Chooser, ChangingTheDriveGoesToItsRootAndBack) {
    // The other "drive" is a sibling of the start directory: going there hides
    // the start directory, coming back must show it again.
    const CurrentDir current(start);
    const QString otherDrive =
        QFileInfo(places.file(QStringLiteral("program"))).canonicalFilePath();
    const QString text = choose([&](QDialog& chooser) {
        auto* drives = Find<QComboBox>(&chooser, "Drive1");
        auto* tree = Find<QTreeView>(&chooser, "Dir1");
        auto* model = qobject_cast<QFileSystemModel*>(tree->model());
        const int home = drives->currentIndex();
        drives->addItem(QStringLiteral("Z:\\"), otherDrive);
        QTest::keyClick(drives, Qt::Key_End);
        EXPECT_EQ(model->filePath(tree->currentIndex()), otherDrive);
        QTest::keyClick(drives, Qt::Key_Home);
        EXPECT_EQ(drives->currentIndex(), home);
        EXPECT_EQ(model->filePath(tree->currentIndex()), QDir::rootPath());
        DoubleClickRow(chooser, WaitForRow(chooser, chosen));
        Click(Find<QPushButton>(&chooser, "OKButton"));
    });
    EXPECT_EQ(text, native(chosen));
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(Chooser, ADriveThatCannotBeReadIsReportedAndLeft) {
    const CurrentDir current(start);
    const QString text = choose([&](QDialog& chooser) {
        auto* drives = Find<QComboBox>(&chooser, "Drive1");
        const int before = drives->currentIndex();
        drives->addItem(QStringLiteral("Q:\\"), places.file(QStringLiteral("no medium")));
        QTest::keyClick(drives, Qt::Key_End);
        EXPECT_EQ(drives->currentIndex(), before);
        DoubleClickRow(chooser, WaitForRow(chooser, chosen));
        Click(Find<QPushButton>(&chooser, "OKButton"));
    });
    EXPECT_EQ(messages.texts(), QStringList{QStringLiteral("ドライブ Q:\\ を読み取れません。")});
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].icon, MsgIcon::Exclamation);
    EXPECT_EQ(text, native(chosen));
}
