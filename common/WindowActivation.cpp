#include "common/WindowActivation.h"

#include <QGuiApplication>
#include <QPointer>
#include <QWidget>
#include <QWindow>

namespace {

// Follows the application's focus window, remembering the one before it.
class FocusHistory : public QObject {
public:
    FocusHistory() : QObject(qApp) {
        last_ = QGuiApplication::focusWindow();
        connect(qApp, &QGuiApplication::focusWindowChanged, this, [this](QWindow* now) {
            previous_ = last_;
            last_ = now;
        });
    }
    QWindow* last() const { return last_; }
    QWindow* previous() const { return previous_; }

private:
    QPointer<QWindow> last_;
    QPointer<QWindow> previous_;
};

FocusHistory& history() {
    static FocusHistory* instance = new FocusHistory;  // owned by qApp
    return *instance;
}

}  // namespace

bool ActivatedFromOwnWindow(const QWidget* window) {
    const FocusHistory& h = history();
    const QWindow* self = window->windowHandle();
    // The widget's activate event may come before or after the focus-window
    // signal, so the window before this one is the last or the one before it.
    const QWindow* before = (h.last() == self) ? h.previous() : h.last();
    return before != nullptr && before != self;
}

void InstallWindowActivationTracking() { history(); }
