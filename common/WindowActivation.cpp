#include "common/WindowActivation.h"

#include <QGuiApplication>
#include <QPointer>
#include <QWidget>
#include <QWindow>

namespace {

// Follows the application's focus window, which is only ever one of ours. When
// it becomes none, either the user went to another program (our window is
// still on the screen) or our window went away (closed, hidden or minimised)
// before another one of ours was activated: the next window activated then
// still comes from one of ours.
class FocusHistory : public QObject {
public:
    FocusHistory() : QObject(qApp) {
        current_ = {QGuiApplication::focusWindow(), QGuiApplication::focusWindow() != nullptr};
        connect(qApp, &QGuiApplication::focusWindowChanged, this, [this](QWindow* now) {
            previous_ = current_;
            current_ = now ? Focus{now, true} : Focus{nullptr, current_.own && wentAway(current_)};
        });
    }

    bool cameFromOwn(const QWindow* self) const {
        // The widget's activate event may come before or after the focus-window
        // signal, so the focus before this window's is the last or the one before it.
        if (self && current_.window == self) return previous_.own;
        return current_.own;
    }

private:
    struct Focus {
        QPointer<QWindow> window;  // null when none, or when it was destroyed since
        bool own = false;          // one of ours, or none since one of ours went away
    };

    static bool wentAway(const Focus& focus) {
        const QWindow* window = focus.window;
        return !window || !window->isVisible() || (window->windowStates() & Qt::WindowMinimized);
    }

    Focus current_;
    Focus previous_;
};

FocusHistory& history() {
    static FocusHistory* instance = new FocusHistory;  // owned by qApp
    return *instance;
}

}  // namespace

bool ActivatedFromOwnWindow(const QWidget* window) {
    return history().cameFromOwn(window->windowHandle());
}

void InstallWindowActivationTracking() {
    history();
}
