#include "bench/PaintWatch.h"

#include <QApplication>
#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>
#include <QWidget>
#include <cstdio>

namespace {

// With ZEM_BENCH_VERBOSE set, each ended paint is reported with the number of
// widgets it painted beside the number shown, to check that the one pass
// painted the whole window.
const bool Verbose = qEnvironmentVariableIsSet("ZEM_BENCH_VERBOSE");

}  // namespace

PaintWatch::PaintWatch() {
    qApp->installEventFilter(this);
}

PaintWatch::~PaintWatch() {
    qApp->removeEventFilter(this);
}

void PaintWatch::arm(Match match, Done done) {
    match_ = std::move(match);
    done_ = std::move(done);
    armed_ = true;
    painted_ = false;
}

bool PaintWatch::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::Paint || !watched->isWidgetType()) return false;
    ++paints_;
    if (!armed_) return false;
    QWidget* window = static_cast<QWidget*>(watched)->window();
    if (!match_(window)) return false;
    armed_ = false;
    paints_ = 1;
    QMetaObject::invokeMethod(
        this,
        [this, window] {
            ended_ = TakeStamp();
            if (Verbose) {
                int shown = 1;
                for (const QWidget* w : window->findChildren<QWidget*>()) shown += w->isVisible();
                std::fprintf(stderr, "%d widgets painted, %d shown\n", paints_, shown);
            }
            painted_ = true;
            if (done_) done_(window);
            if (loop_) loop_->quit();
        },
        Qt::QueuedConnection);
    return false;
}

bool PaintWatch::wait() {
    if (painted_) return true;
    QEventLoop loop;
    QTimer guard;
    guard.setSingleShot(true);
    QObject::connect(&guard, &QTimer::timeout, &loop, &QEventLoop::quit);
    guard.start(5000);
    loop_ = &loop;
    loop.exec();
    loop_ = nullptr;
    return painted_;
}

PaintWatch::Match WindowNamed(const QString& name) {
    return [name](QWidget* window) { return window->objectName() == name; };
}

void SettleEvents() {
    for (int i = 0; i < 3; ++i) {
        QCoreApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}
