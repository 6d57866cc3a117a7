#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QPointer>
#include <QTest>

#include "common/RaceSelection.h"
#include "racedata/AppState.h"
#include "racedata/Lookups.h"
#include "results/Frm_Result.h"
#include "support/Fixtures.h"
#include "tools/RecordBuilder.h"

namespace {

struct Result {
    QString date = QStringLiteral("20261227");
    QString course = QStringLiteral("中山");
    QString raceNo = QStringLiteral("11");
    QString title = QStringLiteral("第７１回有馬記念（Ｇ１）");
};

// A result record as PAT95 writes it: numbers right-aligned, the fifth place,
// the third place payout and the bracket-quinella fields left blank.
RecordBuilder ResultRecord(const Result& r) {
    RecordBuilder b = KsBuilder();
    b.set(KsLayout::RaceDate, r.date)
        .set(KsLayout::CourseName, r.course)
        .setRight(KsLayout::RaceNo, r.raceNo)
        .set(KsLayout::RaceTitle, r.title);
    const char16_t* names[] = {u"ドウデュース", u"スターズオンアース", u"桜花賞馬",
                               u"タスティエーラ"};
    const char* numbers[] = {"5", "2", "16", "13"};
    for (int k = 0; k < 4; ++k) {
        b.setRight(KsLayout::FinisherHorseNo(k), QLatin1String(numbers[k]))
            .set(KsLayout::FinisherHorseName(k), QString::fromUtf16(names[k]));
    }
    b.setRight(KsLayout::WinPayout, QStringLiteral("1,230"))
        .setRight(KsLayout::PlacePayout1, QStringLiteral("280"))
        .setRight(KsLayout::PlacePayout2, QStringLiteral("1,040"))
        .setRight(KsLayout::QuinellaCombo, QStringLiteral("02-05"))
        .setRight(KsLayout::QuinellaPayout, QStringLiteral("12,950"));
    return b;
}

// The main window's three lists, in a window of their own, and the result
// command as the main window runs it.
class ResultWindowTest : public ::testing::Test {
protected:
    ResultWindowTest() {
        state.DataDir = data.path();
        FillSelectionLists(place, type, race);
        main.resize(300, 100);
        main.show();
        activateMain();
    }

    ~ResultWindowTest() override { delete window; }

    void select(const QString& course, int raceNo) {
        place->setCurrentText(course);
        race->setCurrentIndex(raceNo - 1);
    }

    // Writes the race's file (course 中山, stem ks-6121) with the record.
    void writeRace(int raceNo, const Result& r) {
        ASSERT_TRUE(ResultRecord(r).writeTo(data.file(
            QStringLiteral("ks-6121%1.jra").arg(QLatin1String("123456789abc").at(raceNo - 1)))));
    }

    // The main window comes to the front. (qWaitForWindowActive would also
    // accept the result window, a transient of the main window.)
    void activateMain() {
        main.activateWindow();
        ASSERT_TRUE(QTest::qWaitFor([&] { return QApplication::activeWindow() == &main; }));
    }

    // Cmd_Result_Click after the selection check.
    void pressResult() {
        activateMain();
        if (!LoadRaceResult(state, selection, &main)) return;
        Frm_Result::Show(window, state, selection, &main);
        settle();
    }

    // The user clicks the open result window.
    void clickResultWindow() {
        activateMain();
        window->activateWindow();
        settle();
    }

    // Waits until the result window, or the one that replaced it, is active.
    void settle() {
        if (!window) return;
        EXPECT_TRUE(
            QTest::qWaitFor([&] { return window && QApplication::activeWindow() == window; }));
    }

    MessageRecorder messages;
    TempDir data;
    AppState state;
    QWidget main;
    QComboBox* place = new QComboBox(&main);
    QComboBox* type = new QComboBox(&main);
    QComboBox* race = new QComboBox(&main);
    RaceSelection selection{place, type, race};
    QPointer<Frm_Result> window;
};

}  // namespace

TEST_F(ResultWindowTest, ShowsTheRecordAsStored) {
    Result r;
    r.title = QStringLiteral("第７１回有馬記念（Ｇ１）");
    writeRace(11, r);
    select(QStringLiteral("中山"), 11);
    pressResult();
    ASSERT_TRUE(window);
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(window->windowTitle(), QStringLiteral("結果"));
    EXPECT_TRUE(window->testAttribute(Qt::WA_DeleteOnClose));

    const auto text = [&](const char* name) { return Find<QLabel>(window, name)->text(); };
    EXPECT_EQ(text("Label3"), QStringLiteral("第７１回有馬記念（Ｇ１）") + QString(32, u' '));
    EXPECT_EQ(text("Lbl_Date"), QStringLiteral("2026年12月27日"));
    EXPECT_EQ(text("Lbl_Place"), QStringLiteral("中山"));
    EXPECT_EQ(text("Lbl_Race"), QStringLiteral("11"));
    EXPECT_EQ(text("Label4"), QStringLiteral("R"));

    const char16_t* names[] = {u"ドウデュース      ", u"スターズオンアース", u"桜花賞馬          ",
                               u"タスティエーラ    ", u"                  "};
    const char* numbers[] = {" 5", " 2", "16", "13", "  "};
    for (int k = 0; k < 5; ++k) {
        SCOPED_TRACE(k);
        EXPECT_EQ(text(QStringLiteral("Label1(%1)").arg(k).toLatin1()),
                  QStringLiteral("%1着").arg(k + 1));
        EXPECT_EQ(text(QStringLiteral("Lbl_No(%1)").arg(k).toLatin1()), QLatin1String(numbers[k]));
        EXPECT_EQ(text(QStringLiteral("Lbl_Name(%1)").arg(k).toLatin1()),
                  QString::fromUtf16(names[k]));
    }
    const struct {
        const char* name;
        const char* shown;
    } fields[] = {
        {"Lbl_Tan", "   1,230"},     {"Lbl_Fuku(0)", "     280"}, {"Lbl_Fuku(1)", "   1,040"},
        {"Lbl_Fuku(2)", "        "}, {"Lbl_WakuNo", "   "},       {"Lbl_Waku", "        "},
        {"Lbl_UmaNo", "02-05"},      {"Lbl_Uma", "  12,950"},     {"Label2(0)", "単勝"},
        {"Label2(1)", "複勝"},       {"Label2(2)", "枠連"},       {"Label2(3)", "馬連"}};
    for (const auto& f : fields) {
        SCOPED_TRACE(f.name);
        EXPECT_EQ(text(f.name), QString::fromUtf8(f.shown));
    }

    // Every label but the title in 12 points; the value boxes bordered.
    for (QLabel* label : window->findChildren<QLabel*>()) {
        SCOPED_TRACE(label->objectName().toStdString());
        if (label != window->Label3) {
            EXPECT_EQ(label->font().pointSizeF(), 12.0);
        }
        const bool boxed = label->objectName().startsWith(QLatin1String("Lbl_")) &&
                           !label->objectName().contains(QLatin1String("Date")) &&
                           !label->objectName().contains(QLatin1String("Place")) &&
                           !label->objectName().contains(QLatin1String("Race"));
        EXPECT_EQ(label->frameShape() == QFrame::Box, boxed || label == window->Label3);
    }
}

TEST_F(ResultWindowTest, RaceCharacterNamesTheFile) {
    // Races 9 and 11 with their neighbours, each with its own title.
    for (int raceNo : {9, 10, 11, 12}) {
        Result r;
        r.raceNo = QString::number(raceNo);
        r.title = QStringLiteral("第%1競走").arg(raceNo);
        writeRace(raceNo, r);
    }
    for (int raceNo : {9, 11}) {
        SCOPED_TRACE(raceNo);
        select(QStringLiteral("中山"), raceNo);
        pressResult();
        ASSERT_TRUE(window);
        EXPECT_EQ(window->Label3->text().trimmed(), QStringLiteral("第%1競走").arg(raceNo));
        EXPECT_EQ(window->Lbl_Race->text().trimmed(), QString::number(raceNo));
    }
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(ResultWindowTest, AnotherRaceReadWhileOpenShowsOnActivation) {
    for (int raceNo : {3, 4}) {
        Result r;
        r.raceNo = QString::number(raceNo);
        r.title = QStringLiteral("第%1競走").arg(raceNo);
        writeRace(raceNo, r);
    }
    // Read by the result button, which brings the window to the front, and read
    // by another command, after which the user clicks the window.
    for (bool byResultButton : {true, false}) {
        SCOPED_TRACE(byResultButton);
        select(QStringLiteral("中山"), 3);
        pressResult();
        ASSERT_TRUE(window);
        ASSERT_EQ(window->Lbl_Race->text(), QStringLiteral(" 3"));
        QPointer<Frm_Result> first = window;
        const QPoint where = first->pos();

        select(QStringLiteral("中山"), 4);
        if (byResultButton) {
            pressResult();
        } else {
            ASSERT_TRUE(LoadRaceResult(state, selection, &main));
            clickResultWindow();
        }
        ASSERT_TRUE(window);
        EXPECT_NE(window, first);
        EXPECT_EQ(window->Lbl_Race->text(), QStringLiteral(" 4"));
        EXPECT_EQ(window->Label3->text().trimmed(), QStringLiteral("第4競走"));
        EXPECT_EQ(window->pos(), where);
        EXPECT_TRUE(QTest::qWaitFor([&] { return first.isNull(); }));  // closed and deleted

        // The same race again: read again, the window stays as it is.
        Frm_Result* second = window;
        pressResult();
        EXPECT_EQ(window, second);
        window->close();
        EXPECT_TRUE(QTest::qWaitFor([&] { return window.isNull(); }));
    }
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(ResultWindowTest, HeldRecordOfAnotherRaceReopensAtMostOnce) {
    Result r;
    r.raceNo = QStringLiteral("3");
    writeRace(3, r);
    select(QStringLiteral("中山"), 3);
    pressResult();
    ASSERT_TRUE(window);

    // Race 4 has no file: M2 leaves the open window as it is.
    select(QStringLiteral("中山"), 4);
    Frm_Result* shown = window;
    pressResult();
    ASSERT_EQ(messages.texts().size(), 1);
    EXPECT_EQ(window, shown);
    EXPECT_EQ(window->Label3->text().trimmed(), r.title);

    // Clicking the window: the selection names race 4 and the held record race
    // 3 with its title blanked. One reopening shows that record; the new window
    // finds the same difference and keeps showing it.
    clickResultWindow();
    ASSERT_TRUE(window);
    EXPECT_NE(window, shown);
    EXPECT_EQ(window->Lbl_Race->text(), QStringLiteral(" 3"));
    EXPECT_EQ(window->Label3->text(), QString(56, u' '));
    EXPECT_TRUE(window->isVisible());

    // Further clicks change nothing.
    Frm_Result* reopened = window;
    for (int i = 0; i < 3; ++i) {
        clickResultWindow();
        EXPECT_EQ(window, reopened);
    }
    EXPECT_TRUE(window->isVisible());

    // Without any read, a changed selection keeps the window as it is.
    select(QStringLiteral("中山"), 7);
    clickResultWindow();
    EXPECT_EQ(window, reopened);
}

TEST_F(ResultWindowTest, DateThatIsNotADateShowsEmpty) {
    Result r;
    r.date = QStringLiteral("20261340");
    writeRace(1, r);
    select(QStringLiteral("中山"), 1);
    pressResult();
    ASSERT_TRUE(window);
    EXPECT_EQ(window->Lbl_Date->text(), QString());
    EXPECT_EQ(window->Lbl_Place->text(), QStringLiteral("中山"));
}
