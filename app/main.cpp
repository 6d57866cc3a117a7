#include <QApplication>
#include <QIcon>
#include <QTimer>
#include <memory>

#include "app/Frm_Main.h"
#include "app/frmSplash.h"
#include "common/AppKeys.h"
#include "common/Controls.h"
#include "common/Fonts.h"
#include "common/Translations.h"
#include "common/WindowActivation.h"
#include "racedata/AppState.h"
#include "racedata/Lookups.h"
#include "racedata/OddsWatcher.h"
#include "settings/Settings.h"
#include "trend/TrendFallMarks.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("ZEM"));
    QApplication::setApplicationVersion(QStringLiteral("2.1"));
    QApplication::setWindowIcon(PngIcon(QStringLiteral(":/app/images/zem.png")));
    QApplication::setFont(UiFont(9));
    // The toolkit's own dialogs (file, print, Yes/No) in the desktop's language.
    InstallToolkitTranslations();
    InstallWindowActivationTracking();
    InstallAppKeys();

    AppState state;
    // Every odds file a window reads is a snapshot of the odds history.
    SetOddsFileRead([](const QString& path) { OddsWatcher::instance().record(path); });
    // The odds windows mark the falls the trend's rule finds.
    SetFallMarksSource(TrendFallMarks);
    std::unique_ptr<Frm_Main> mainWindow;

    // The splash reads the settings while it loads, so that the data directory
    // is known before any other window exists; it deletes itself when it closes.
    auto* splash = new frmSplash;
    state.DataDir = LoadSettings();
    QObject::connect(splash, &frmSplash::finished, [&] {
        mainWindow = std::make_unique<Frm_Main>(state);
        mainWindow->show();
        // The odds history follows the data directory from shortly after the
        // main window is up, so that start-up does not wait for it.
        QTimer::singleShot(1000, mainWindow.get(),
                           [&state] { OddsWatcher::instance().watch(state.DataDir); });
    });
    splash->show();
    splash->activateWindow();
    return app.exec();
}
