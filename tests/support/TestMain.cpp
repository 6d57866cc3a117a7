#include <gtest/gtest.h>

#include <QApplication>

#include "common/AppKeys.h"
#include "common/WindowActivation.h"

int main(int argc, char** argv) {
    // Test programs also run when ctest lists their tests, without ctest's
    // environment: they never need a display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setStyle(QStringLiteral("Fusion"));
    InstallWindowActivationTracking();
    InstallAppKeys();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
