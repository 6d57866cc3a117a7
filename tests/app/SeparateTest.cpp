#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

#include "app/Frm_Main.h"
#include "common/Memo.h"
#include "racedata/AppState.h"
#include "support/Fixtures.h"

namespace {

void Type(QLineEdit* box, const char* text) {
    Click(box);
    QTest::keyClicks(box, QString::fromLatin1(text));
}

}  // namespace

TEST(MainWindowSeparate, OpensTheDistributionOfTheSelectedRaceAndOkWritesTheMemo) {
    AppState state;
    Frm_Main window(state);
    ShowAndWait(&window);
    window.Cmb_Place->setCurrentIndex(window.Cmb_Place->findText(QStringLiteral("東京")));
    window.Cmb_Race->setCurrentIndex(window.Cmb_Race->findData(11));
    MessageRecorder messages;
    ModalDriver modal;

    modal.then([](QDialog& dlg) {
        EXPECT_EQ(dlg.parentWidget()->objectName(), "Frm_Main");
        EXPECT_EQ(Find<QLabel>(&dlg, "Lbl_Place")->text(), QStringLiteral("東京"));
        EXPECT_EQ(Find<QLabel>(&dlg, "Lbl_Race")->text(), "11");
        ASSERT_TRUE(QTest::qWaitFor([&] { return QApplication::activeWindow() == &dlg; }));
        Type(Find<QLineEdit>(&dlg, "Txt_Total_Pay"), "1300");
        const char* rows[][3] = {{"3", "7", "5"}, {"3", "9", "8"}};
        for (int i = 0; i < 2; ++i) {
            Type(Find<QLineEdit>(&dlg, QStringLiteral("Txt_Buy1(%1)").arg(i)), rows[i][0]);
            Type(Find<QLineEdit>(&dlg, QStringLiteral("Txt_Buy2(%1)").arg(i)), rows[i][1]);
            Type(Find<QLineEdit>(&dlg, QStringLiteral("Txt_Odds(%1)").arg(i)), rows[i][2]);
        }
        Click(Find<QPushButton>(&dlg, "Cmd_Add"));
    });
    // Reopened: empty again; Cancel writes nothing.
    modal.then([](QDialog& dlg) {
        EXPECT_TRUE(Find<QLineEdit>(&dlg, "Txt_Total_Pay")->text().isEmpty());
        EXPECT_TRUE(Find<QLineEdit>(&dlg, "Txt_Odds(0)")->text().isEmpty());
        EXPECT_TRUE(Find<QLabel>(&dlg, "Lbl_Pay(0)")->text().isEmpty());
        Type(Find<QLineEdit>(&dlg, "Txt_Total_Pay"), "500");
        Click(Find<QPushButton>(&dlg, "Cmd_Cancel"));
    });
    Click(window.Cmd_Separate);
    Click(window.Cmd_Separate);

    EXPECT_EQ(modal.opened, (QStringList{"Frm_Separate", "Frm_Separate"}));
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(MemoText(window.Txt_Main), u"東京\t11R\t馬連\r\n\t3-7\t800\r\n\t3-9\t500\r\n\r\n"_qs);
}

TEST(MainWindowSeparate, IncompleteSelectionOpensNothing) {
    AppState state;
    Frm_Main window(state);
    ShowAndWait(&window);
    window.Cmb_Type->setCurrentIndex(-1);
    MessageRecorder messages;
    ModalDriver modal;
    Click(window.Cmd_Separate);
    EXPECT_TRUE(modal.opened.isEmpty());
    EXPECT_EQ(messages.texts(), QStringList{QStringLiteral("馬券の種類を選択してください。")});
}
