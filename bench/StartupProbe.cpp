// Linked into a copy of zem (app/main.cpp unchanged) for the start-up
// benchmark. When the application object is created it starts watching the
// paints: as soon as the splash has painted it gets a key press, which closes
// it as a key of the user would, and the probe prints the steady-clock time of
// those first pixels; when the main window has painted for the first time the
// probe prints the steady-clock time, the window's size and the peak resident
// size, and ends the program.

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>

#include "bench/ProcessProbe.h"

namespace {

class StartupProbe : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::Paint || !watched->isWidgetType()) return false;
        QWidget* window = static_cast<QWidget*>(watched)->window();
        if (!splashKeyed_ && window->objectName() == QLatin1String("frmSplash")) {
            splashKeyed_ = true;
            QMetaObject::invokeMethod(this, &ReportFirstPixels, Qt::QueuedConnection);
            // Posted, so that it arrives once the whole splash has painted.
            QCoreApplication::postEvent(
                window, new QKeyEvent(QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier, " "));
        } else if (!mainPainted_ && window->objectName() == QLatin1String("Frm_Main")) {
            mainPainted_ = true;
            // Queued behind the paint of the whole window.
            QMetaObject::invokeMethod(
                this, [window] { ReportFirstPaintAndQuit(window->size()); }, Qt::QueuedConnection);
        }
        return false;
    }

private:
    bool splashKeyed_ = false;
    bool mainPainted_ = false;
};

void installProbe() {
    qApp->installEventFilter(new StartupProbe(qApp));
}

}  // namespace

Q_COREAPP_STARTUP_FUNCTION(installProbe)
