#pragma once

#include <QObject>
#include <functional>

#include "bench/BenchSupport.h"

class QWidget;

// Watches every paint of the application. Armed for a window, it notes the
// moment the window's first paint after arming has ended: the first paint
// event of any widget in it queues a call, which runs once the whole paint
// pass (all its widgets, then the flush) is done.
class PaintWatch : public QObject {
public:
    using Match = std::function<bool(QWidget* window)>;
    using Done = std::function<void(QWidget* window)>;

    PaintWatch();
    ~PaintWatch() override;

    // `done` runs with the painted window after `ended()` has been set.
    void arm(Match match, Done done = {});
    bool painted() const { return painted_; }
    Stamp ended() const { return ended_; }

    // Runs the event loop until the armed window has painted; false after 5 s
    // without that paint.
    bool wait();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    Match match_;
    Done done_;
    bool armed_ = false;
    bool painted_ = false;
    int paints_ = 0;
    Stamp ended_;
    class QEventLoop* loop_ = nullptr;
};

// Matches the window of that objectName.
PaintWatch::Match WindowNamed(const QString& name);

// Runs the posted events and deferred deletions a few times over, so that a
// closed window is gone before the next run.
void SettleEvents();
