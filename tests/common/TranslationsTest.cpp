#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QRegularExpression>
#include <QTimer>

#include "common/MessageBox.h"
#include "common/Translations.h"

namespace {

// Shows a real message box through the seam's own box and returns its buttons'
// texts, answering with the last button.
QStringList ButtonTextsOf(MsgButtons buttons) {
    QStringList texts;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box) return;
        // Japanese buttons carry their access key in brackets: "はい(&Y)".
        static const QRegularExpression accessKey(QStringLiteral("\\(&?[A-Z]\\)|&"));
        for (QAbstractButton* b : box->buttons()) texts << b->text().remove(accessKey);
        texts.sort();
        box->buttons().constLast()->click();
    });
    ShowMessage(nullptr, QStringLiteral("削除しますか？"), MsgIcon::Question, buttons);
    return texts;
}

}  // namespace

TEST(ToolkitTranslations, AJapaneseSessionGetsJapaneseButtonsAndKeepsASingleOk) {
    ASSERT_TRUE(InstallToolkitTranslations(QLocale(QLocale::Japanese, QLocale::Japan)));
    EXPECT_EQ(ButtonTextsOf(MsgButtons::YesNo).join(u'|'), u"いいえ|はい"_qs);
    EXPECT_EQ(ButtonTextsOf(MsgButtons::Ok).join(u'|'), "OK");

    // An English session keeps the toolkit's own texts.
    EXPECT_FALSE(InstallToolkitTranslations(QLocale(QLocale::English, QLocale::UnitedStates)));
    EXPECT_EQ(ButtonTextsOf(MsgButtons::YesNo).join(u'|'), "No|Yes");
    RemoveToolkitTranslations();
}
