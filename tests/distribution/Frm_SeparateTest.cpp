#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QToolButton>
#include <memory>

#include "common/Colours.h"
#include "common/Memo.h"
#include "common/ModalRun.h"
#include "common/RaceSelection.h"
#include "distribution/Frm_Separate.h"
#include "racedata/AppState.h"
#include "support/Fixtures.h"

static void PrintTo(const QString& text, std::ostream* os) {
    *os << '"' << text.toStdString() << '"';
}

namespace {

const QString NotNumber = QStringLiteral("数値を入力してください。");
const QString NotPositive = QStringLiteral("０以上で入力してください。");

QString at(const char* name, int i) {
    return QStringLiteral("%1(%2)").arg(name).arg(i);
}

class SeparateTest : public ::testing::Test {
protected:
    void SetUp() override { FillSelectionLists(&place, &type, &race); }

    // Selects racecourse, race and bet type as the main window's lists hold them.
    void select(const QString& placeName, int raceNo, BetType betType) {
        place.setCurrentIndex(place.findText(placeName));
        race.setCurrentIndex(race.findData(raceNo));
        type.setCurrentIndex(type.findData(int(betType)));
    }

    Frm_Separate& open() {
        window = std::make_unique<Frm_Separate>(state, selection, &memo);
        window->show();
        EXPECT_TRUE(QTest::qWaitForWindowActive(window.get()));
        return *window;
    }

    QLineEdit* box(const QString& name) { return Find<QLineEdit>(window.get(), name); }
    QLineEdit* budget() { return box(QStringLiteral("Txt_Total_Pay")); }
    QLineEdit* buy1(int i) { return box(at("Txt_Buy1", i)); }
    QLineEdit* buy2(int i) { return box(at("Txt_Buy2", i)); }
    QLineEdit* odds(int i) { return box(at("Txt_Odds", i)); }
    QLabel* label(const QString& name) { return Find<QLabel>(window.get(), name); }
    QString pay(int i) { return label(at("Lbl_Pay", i))->text(); }
    QString income(int i) { return label(at("Lbl_Income", i))->text(); }
    QColor incomeColour(int i) { return Foreground(label(at("Lbl_Income", i))); }
    QString total() { return label(QStringLiteral("Lbl_Real_Pay"))->text(); }
    QToolButton* arrow(int i, const char* which) {
        QWidget* upDown = Find<QWidget>(window.get(), at("Upd_Pay", i));
        return Find<QToolButton>(upDown, QString::fromLatin1(which));
    }

    // Clicks into a box (which selects its whole text) and types over it.
    static void enter(QLineEdit* target, const char* text) {
        Click(target);
        QTest::keyClicks(target, QString::fromLatin1(text));
    }
    void fillRow(int i, const char* first, const char* second, const char* oddsText) {
        enter(buy1(i), first);
        if (!buy2(i)->isHidden()) enter(buy2(i), second);
        enter(odds(i), oddsText);
    }

    QComboBox place, type, race;
    RaceSelection selection{&place, &type, &race};
    QPlainTextEdit memo;
    AppState state;
    MessageRecorder messages;
    std::unique_ptr<Frm_Separate> window;
};

}  // namespace

TEST_F(SeparateTest, DesignTimeState) {
    select(QStringLiteral("東京"), 11, Quinella);
    Frm_Separate& w = open();
    EXPECT_EQ(w.windowTitle(), QStringLiteral("配分"));
    EXPECT_EQ(w.size(), QSize(362, 382));  // 5430 x 5730 twips
    EXPECT_EQ(label("Lbl_Place")->text(), QStringLiteral("東京"));
    EXPECT_EQ(label("Lbl_Type")->text(), QStringLiteral("馬連"));
    EXPECT_EQ(label("Lbl_Race")->text(), "11");
    EXPECT_EQ(label("Label1")->text(), "R");
    EXPECT_EQ(budget()->maxLength(), 6);
    EXPECT_EQ(budget()->toolTip(), QStringLiteral("購入予算を入力してください"));
    EXPECT_EQ(QApplication::focusWidget(), budget());

    auto* odds_button = Find<QPushButton>(&w, "Command1");
    EXPECT_TRUE(odds_button->text().isEmpty());
    EXPECT_FALSE(odds_button->icon().isNull());
    EXPECT_EQ(odds_button->toolTip(), QStringLiteral("取得されているオッズを表示します"));
    EXPECT_EQ(Find<QPushButton>(&w, "Cmd_Add")->text(), "OK");
    EXPECT_EQ(Find<QPushButton>(&w, "Cmd_Cancel")->text(), "Cancel");
    for (QPushButton* button : w.findChildren<QPushButton*>()) {
        EXPECT_FALSE(button->autoDefault() || button->isDefault())
            << button->objectName().toStdString();
    }

    for (int i = 0; i < 8; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(buy1(i)->maxLength(), 2);
        EXPECT_EQ(buy2(i)->maxLength(), 2);
        EXPECT_EQ(odds(i)->maxLength(), 6);
        EXPECT_FALSE(buy2(i)->isHidden());
        EXPECT_EQ(label(at("Label2", i))->text(), "-");
        EXPECT_EQ(odds(i)->y() - odds(0)->y(), 27 * i);  // 405 twips apart
        for (const QString& name : {at("Lbl_Pay", i), at("Lbl_Income", i)}) {
            EXPECT_TRUE(label(name)->text().isEmpty());
            EXPECT_EQ(Background(label(name)), Colours::LightGrey);
            EXPECT_TRUE(label(name)->alignment() & Qt::AlignRight);
        }
        EXPECT_NE(arrow(i, "Up"), nullptr);
        EXPECT_NE(arrow(i, "Down"), nullptr);
    }
    EXPECT_TRUE(total().isEmpty());

    // Tab order: budget, the rows box by box, OK, Cancel, odds button, up-downs.
    QStringList expected{"Txt_Total_Pay"};
    for (int i = 0; i < 8; ++i)
        expected << at("Txt_Buy1", i) << at("Txt_Buy2", i) << at("Txt_Odds", i);
    expected << "Cmd_Add"
             << "Cmd_Cancel"
             << "Command1";
    for (int i = 0; i < 8; ++i) expected << at("Upd_Pay", i);
    QStringList chain;
    QWidget* widget = budget();
    do {
        if (widget->focusPolicy() & Qt::TabFocus) chain << widget->objectName();
        widget = widget->nextInFocusChain();
    } while (widget != budget());
    EXPECT_EQ(chain, expected);
}

TEST_F(SeparateTest, WinAndPlaceHidesTheSecondNumber) {
    select(QStringLiteral("小倉"), 1, WinPlace);
    open();
    EXPECT_EQ(label("Lbl_Type")->text(), QStringLiteral("単・複勝"));
    EXPECT_EQ(label("Lbl_Race")->text(), "1");
    for (int i = 0; i < 8; ++i) {
        EXPECT_TRUE(buy2(i)->isHidden());
        EXPECT_TRUE(label(at("Label2", i))->isHidden());
    }
}

TEST_F(SeparateTest, TypedEntriesGiveStakesPayoutsAndColours) {
    const struct {
        const char* budget;
        std::vector<const char*> odds;
        std::vector<const char*> stakes, payouts;
        QColor colour;
        const char* total;
    } cases[] = {
        {"10000",
         {"2.5", "4.0", "10.0"},
         {"5300", "3300", "1300"},
         {"13250", "13200", "13000"},
         Colours::Black,
         "9900"},
        {"3000",
         {"1.5", "2.8", "7.3", "25.6"},
         {"1700", "900", "300", "100"},
         {"2550", "2520", "2190", "2560"},
         Colours::Red,
         "3000"},
        {"50", {"5"}, {"100"}, {"500"}, Colours::Black, "100"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.budget);
        open();
        enter(budget(), c.budget);
        EXPECT_EQ(total(), "0");  // no odds yet
        for (size_t i = 0; i < c.odds.size(); ++i) enter(odds(int(i)), c.odds[i]);
        for (size_t i = 0; i < c.odds.size(); ++i) {
            EXPECT_EQ(pay(int(i)), c.stakes[i]);
            EXPECT_EQ(income(int(i)), c.payouts[i]);
            EXPECT_EQ(incomeColour(int(i)), c.colour);
        }
        EXPECT_EQ(total(), c.total);
        EXPECT_TRUE(messages.shown.empty());
    }
}

TEST_F(SeparateTest, PayoutColourFollowsTheBudgetEvenWhenThePayoutStaysTheSame) {
    open();
    enter(odds(0), "1.2");
    enter(budget(), "50");
    ASSERT_EQ(income(0), "120");
    EXPECT_EQ(incomeColour(0), Colours::Black);
    budget()->setText("149");  // still 100 yen at 1.2, now short of the budget
    ASSERT_EQ(income(0), "120");
    EXPECT_EQ(incomeColour(0), Colours::Red);
}

TEST_F(SeparateTest, EmptyRowsAndAnEmptiedBudget) {
    open();
    enter(odds(0), "2");
    EXPECT_EQ(total(), "0");  // odds without a budget: nothing spread
    EXPECT_TRUE(pay(0).isEmpty());
    enter(odds(2), "2");
    enter(budget(), "1000");
    EXPECT_EQ(pay(0), "500");
    EXPECT_TRUE(pay(1).isEmpty() && income(1).isEmpty());
    EXPECT_EQ(pay(2), "500");

    // Clearing odds with a budget empties that row; the others share the budget.
    Click(odds(2));
    QTest::keyClick(odds(2), Qt::Key_Delete);
    EXPECT_TRUE(pay(2).isEmpty() && income(2).isEmpty());
    EXPECT_EQ(pay(0), "1000");
    EXPECT_EQ(total(), "1000");

    // Emptying the budget: the total shows 0, stakes and payouts stay.
    Click(budget());
    QTest::keyClick(budget(), Qt::Key_Backspace);
    EXPECT_EQ(total(), "0");
    EXPECT_EQ(pay(0), "1000");
    EXPECT_EQ(income(0), "2000");
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(SeparateTest, RefusedEntriesAreKeptSelectedAndFocused) {
    const struct {
        const char* typed;
        QString message;
        const char* left;  // text in the box afterwards
        // Row 0's stake afterwards: only the accepted keystrokes recalculate.
        const char* stakeByBudget;
        const char* stakeByOdds;
    } cases[] = {
        {"0", NotPositive, "0", "500", "500"},
        {"12a", NotNumber, "12a", "100", "200"},  // as after 12
        {".", NotNumber, ".", "500", "500"},
        // "-" alone is refused and selected, so the 5 replaces it.
        {"-5", NotNumber, "5", "100", "400"},
    };
    for (const bool onBudget : {true, false}) {
        for (const auto& c : cases) {
            SCOPED_TRACE(std::string(onBudget ? "budget " : "odds ") + c.typed);
            open();
            enter(budget(), "1000");
            enter(odds(1), "4");
            enter(odds(0), "4");
            ASSERT_EQ(pay(0), "500");
            messages.clear();
            QLineEdit* target = onBudget ? budget() : odds(0);
            enter(odds(2), "");  // the focus elsewhere first
            enter(target, c.typed);
            EXPECT_EQ(messages.texts(), QStringList{c.message});
            EXPECT_EQ(messages.shown.at(0).title, "Error");
            EXPECT_EQ(messages.shown.at(0).icon, MsgIcon::None);
            EXPECT_EQ(target->text(), c.left);
            EXPECT_EQ(QApplication::focusWidget(), target);
            if (QByteArray(c.typed) != "-5") {
                EXPECT_EQ(target->selectedText(), c.left);
            }
            EXPECT_EQ(pay(0), onBudget ? c.stakeByBudget : c.stakeByOdds);
        }
    }
}

TEST_F(SeparateTest, NegativeValuesAssignedAreRefusedAndLeftOut) {
    open();
    enter(budget(), "1000");
    odds(0)->setText(" 2");
    odds(1)->setText("2");
    ASSERT_EQ(pay(0), "500");
    odds(1)->setText("-5");
    EXPECT_EQ(messages.texts(), QStringList{NotPositive});
    EXPECT_EQ(pay(0), "500");  // not recalculated

    // The next accepted change leaves the refused row out.
    budget()->setText("2000");
    EXPECT_EQ(pay(0), "2000");
    EXPECT_TRUE(pay(1).isEmpty() && income(1).isEmpty());
    EXPECT_EQ(total(), "2000");

    budget()->setText("-5");
    EXPECT_EQ(messages.texts().last(), NotPositive);
    EXPECT_EQ(budget()->text(), "-5");
    EXPECT_EQ(pay(0), "2000");
}

TEST_F(SeparateTest, FocusSelectsTheWholeEntry) {
    open();
    odds(5)->setText("12.5");
    Click(odds(5));  // by the mouse
    EXPECT_EQ(odds(5)->selectedText(), "12.5");
    QTest::keyClicks(odds(5), "3");  // typing replaces the whole entry
    EXPECT_EQ(odds(5)->text(), "3");
}

TEST_F(SeparateTest, ArrowAndEnterKeysMoveBetweenRows) {
    const struct {
        const char* from;
        int row;
        Qt::Key key;
        const char* to;  // box name, or nullptr for staying put
        int toRow;
    } cases[] = {
        {"Txt_Buy1", 0, Qt::Key_Up, nullptr, 0},
        {"Txt_Buy1", 0, Qt::Key_Down, "Txt_Buy1", 1},
        {"Txt_Buy1", 0, Qt::Key_Return, "Txt_Buy2", 0},
        {"Txt_Buy1", 7, Qt::Key_Down, nullptr, 0},
        {"Txt_Buy1", 7, Qt::Key_Up, "Txt_Buy1", 6},
        {"Txt_Buy2", 0, Qt::Key_Up, nullptr, 0},
        {"Txt_Buy2", 0, Qt::Key_Return, "Txt_Odds", 0},
        {"Txt_Buy2", 7, Qt::Key_Down, nullptr, 0},
        {"Txt_Buy2", 7, Qt::Key_Up, "Txt_Buy2", 6},
        {"Txt_Odds", 0, Qt::Key_Up, nullptr, 0},
        {"Txt_Odds", 0, Qt::Key_Down, "Txt_Odds", 1},
        {"Txt_Odds", 3, Qt::Key_Return, "Txt_Buy1", 4},
        {"Txt_Odds", 3, Qt::Key_Enter, "Txt_Buy1", 4},
        {"Txt_Odds", 7, Qt::Key_Return, nullptr, 0},
        {"Txt_Odds", 7, Qt::Key_Down, nullptr, 0},
        {"Txt_Odds", 7, Qt::Key_Up, "Txt_Odds", 6},
        {"Txt_Odds", 2, Qt::Key_Right, nullptr, 0},
    };
    open();
    for (int i = 0; i < 8; ++i) {
        buy1(i)->setText(QString::number(i + 1));
        buy2(i)->setText(QString::number(i + 9));
    }
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.from) + "(" + std::to_string(c.row) + ") key " +
                     std::to_string(c.key));
        QLineEdit* from = box(at(c.from, c.row));
        Click(from);
        QTest::keyClick(from, c.key);
        QLineEdit* to = c.to ? box(at(c.to, c.toRow)) : from;
        EXPECT_EQ(QApplication::focusWidget(), to);
        EXPECT_EQ(to->selectedText(), to->text());
    }
    EXPECT_TRUE(window->isVisible());  // Enter never pressed OK
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(SeparateTest, EnterInTheOnlyNumberOfWinAndPlaceGoesToTheOdds) {
    select(QStringLiteral("中山"), 5, WinPlace);
    open();
    Click(buy1(3));
    QTest::keyClick(buy1(3), Qt::Key_Return);
    EXPECT_EQ(QApplication::focusWidget(), odds(3));
}

TEST_F(SeparateTest, StakesMovedByHand) {
    open();
    enter(budget(), "1300");
    enter(odds(0), "5");
    enter(odds(1), "8");
    ASSERT_EQ(pay(0), "800");
    ASSERT_EQ(pay(1), "500");

    Click(arrow(1, "Up"));  // 500 -> 600 at odds 8
    EXPECT_EQ(pay(1), "600");
    EXPECT_EQ(income(1), "4800");
    EXPECT_EQ(incomeColour(1), Colours::Black);
    EXPECT_EQ(total(), "1400");

    for (int i = 0; i < 7; ++i) Click(arrow(0, "Down"));  // 800 down to 100, and no lower
    EXPECT_EQ(pay(0), "100");
    EXPECT_EQ(income(0), "500");
    EXPECT_EQ(incomeColour(0), Colours::Red);
    EXPECT_EQ(total(), "700");

    Click(arrow(4, "Up"));  // a row without a stake is left alone
    EXPECT_TRUE(pay(4).isEmpty() && income(4).isEmpty());
    EXPECT_EQ(total(), "700");

    // With the budget emptied the colour is left as it was.
    Click(budget());
    QTest::keyClick(budget(), Qt::Key_Delete);
    for (int i = 0; i < 5; ++i) Click(arrow(0, "Up"));
    EXPECT_EQ(income(0), "3000");
    EXPECT_EQ(incomeColour(0), Colours::Red);

    // The next recalculation replaces the stakes moved by hand.
    enter(budget(), "1300");
    EXPECT_EQ(pay(0), "800");
    EXPECT_EQ(pay(1), "500");
    EXPECT_EQ(total(), "1300");
}

TEST_F(SeparateTest, OkChecksInOrderWithTheirFocus) {
    open();
    auto ok = [&] {
        messages.clear();
        Click(Find<QPushButton>(window.get(), "Cmd_Add"));
    };
    ok();
    EXPECT_EQ(messages.texts(), QStringList{NotNumber});
    EXPECT_EQ(QApplication::focusWidget(), budget());

    enter(budget(), "0");
    ok();
    EXPECT_EQ(messages.texts(), QStringList{QStringLiteral("総購入金額を入力してください。")});
    EXPECT_EQ(QApplication::focusWidget(), budget());

    enter(budget(), "1000");
    enter(buy1(5), "3");
    ok();
    EXPECT_EQ(messages.texts(), QStringList{QStringLiteral("最低一件以上入力してください。")});
    EXPECT_EQ(QApplication::focusWidget(), buy1(0));

    enter(odds(3), "4");
    ok();
    EXPECT_EQ(messages.texts(), QStringList{QStringLiteral("オッズを入力してください。")});
    EXPECT_EQ(QApplication::focusWidget(), odds(5));
    EXPECT_EQ(messages.shown.at(0).icon, MsgIcon::None);
    EXPECT_TRUE(window->isVisible());
    EXPECT_TRUE(memo.toPlainText().isEmpty());

    enter(odds(5), "4");
    ok();  // odds in row 3 without numbers: accepted, nothing written for it
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(window->result(), QDialog::Accepted);
}

TEST_F(SeparateTest, OkAppendsTheQuinellaBlock) {
    select(QStringLiteral("東京"), 11, Quinella);
    memo.setPlainText(QStringLiteral("前のメモ\n"));
    open();
    enter(budget(), "1300");
    fillRow(0, "3", "7", "5");
    fillRow(1, "3", "9", "8");
    QTest::keyClick(odds(1), Qt::Key_Return);  // Enter in a box does not press OK
    EXPECT_TRUE(window->isVisible());
    ASSERT_EQ(pay(0), "800");
    ASSERT_EQ(pay(1), "500");

    Click(Find<QPushButton>(window.get(), "Cmd_Add"));
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(MemoText(&memo),
              u"前のメモ\r\n東京\t11R\t馬連\r\n\t3-7\t800\r\n\t3-9\t500\r\n\r\n"_qs);
    EXPECT_FALSE(window->isVisible());
}

TEST_F(SeparateTest, OkAppendsTheWinAndPlaceBlockWithStakesAsShown) {
    select(QStringLiteral("小倉"), 1, WinPlace);
    open();
    enter(budget(), "1000");
    fillRow(0, "5", "", "2");
    enter(odds(1), "2");  // odds without a number: shares the budget, not written
    fillRow(2, "12", "", "4");
    Click(arrow(2, "Up"));  // moved by hand: written as shown
    Click(Find<QPushButton>(window.get(), "Cmd_Add"));
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(MemoText(&memo), u"小倉\t1R\t単・複勝\r\n\t5\t400\r\n\t12\t300\r\n\r\n"_qs);
}

TEST_F(SeparateTest, CancelEscAndCloseBoxWriteNothing) {
    enum How { CancelButton, EscKey, CloseBox };
    for (const How how : {CancelButton, EscKey, CloseBox}) {
        SCOPED_TRACE(int(how));
        open();
        enter(budget(), "1000");
        fillRow(0, "1", "2", "3");
        if (how == CancelButton) Click(Find<QPushButton>(window.get(), "Cmd_Cancel"));
        if (how == EscKey) QTest::keyClick(odds(0), Qt::Key_Escape);
        if (how == CloseBox) window->close();
        EXPECT_FALSE(window->isVisible());
        EXPECT_EQ(window->result(), QDialog::Rejected);
        EXPECT_TRUE(memo.toPlainText().isEmpty());
    }
}

TEST_F(SeparateTest, EveryOpeningStartsEmpty) {
    ModalDriver driver;
    for (int opening = 0; opening < 2; ++opening) {
        driver.then([&](QDialog& dialog) {
            auto* w = static_cast<Frm_Separate*>(&dialog);
            EXPECT_TRUE(w->Txt_Total_Pay->text().isEmpty());
            EXPECT_TRUE(w->Lbl_Real_Pay->text().isEmpty());
            for (int i = 0; i < 8; ++i) {
                EXPECT_TRUE(w->Txt_Buy1[i]->text().isEmpty() && w->Txt_Odds[i]->text().isEmpty());
                EXPECT_TRUE(w->Lbl_Pay[i]->text().isEmpty());
            }
            ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
            enter(w->Txt_Total_Pay, "1000");
            enter(w->Txt_Buy1[0], "3");
            enter(w->Txt_Buy2[0], "7");
            enter(w->Txt_Odds[0], "4");
            Click(w->Cmd_Add);
        });
        Frm_Separate dialog(state, selection, &memo);
        EXPECT_EQ(RunModal(dialog), QDialog::Accepted);
    }
    EXPECT_EQ(driver.opened, (QStringList{"Frm_Separate", "Frm_Separate"}));
    EXPECT_EQ(MemoText(&memo),
              u"中山\t1R\t馬連\r\n\t3-7\t1000\r\n\r\n"
              u"中山\t1R\t馬連\r\n\t3-7\t1000\r\n\r\n"_qs);
}
