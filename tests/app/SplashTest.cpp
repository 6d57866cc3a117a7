#include <gtest/gtest.h>

#include <QLabel>
#include <QPointer>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include "app/frmSplash.h"
#include "support/Fixtures.h"

namespace {

struct Splash {
    Splash() : window(new frmSplash), finished(window.data(), &frmSplash::finished) {
        ShowAndWait(window);
    }
    ~Splash() { delete window.data(); }
    QPointer<frmSplash> window;
    QSignalSpy finished;
};

}  // namespace

TEST(Splash, ClosesByItselfAfterTwoSecondsOnce) {
    Splash splash;
    EXPECT_EQ(splash.window->Timer1->interval(), 2000);
    EXPECT_TRUE(splash.window->Timer1->isActive());
    QTest::qWait(1500);
    EXPECT_EQ(splash.finished.count(), 0);
    EXPECT_TRUE(splash.finished.wait(2000));
    QTest::qWait(50);
    EXPECT_EQ(splash.finished.count(), 1);
    EXPECT_TRUE(splash.window.isNull());  // it deletes itself
}

TEST(Splash, AKeyClosesItAtOnceAndTheTimerDoesNotOpenASecondWindow) {
    Splash splash;
    QTest::keyClick(splash.window.data(), Qt::Key_A);
    EXPECT_EQ(splash.finished.count(), 1);
    QTest::qWait(2200);
    EXPECT_EQ(splash.finished.count(), 1);
}

TEST(Splash, KeysWithoutACharacterDoNotCloseIt) {
    Splash splash;
    QTest::keyClick(splash.window.data(), Qt::Key_Shift);
    QTest::keyClick(splash.window.data(), Qt::Key_F5);
    EXPECT_EQ(splash.finished.count(), 0);
    QTest::keyClick(splash.window.data(), Qt::Key_Escape);
    EXPECT_EQ(splash.finished.count(), 1);
}

TEST(Splash, ClickOnTheFrameClosesItButNotOnTheLabels) {
    Splash splash;
    EXPECT_EQ(splash.window->lblPlatform->text(), QStringLiteral("forWindows"));
    EXPECT_EQ(splash.window->lblVersion->text(), QStringLiteral("Ver2.1"));
    Click(Find<QLabel>(splash.window.data(), "lblVersion"));
    Click(Find<QLabel>(splash.window.data(), "imgLogo"));
    EXPECT_EQ(splash.finished.count(), 0);

    // An empty spot of the frame: its bottom-left corner area.
    QFrame* frame = splash.window->Frame1;
    QTest::mouseClick(frame, Qt::LeftButton, Qt::NoModifier, QPoint(5, frame->height() - 5));
    EXPECT_EQ(splash.finished.count(), 1);
}
