// The floor of the start-up benchmark: a bare Qt Widgets program that shows
// one empty window of the given size and ends after its first paint.

#include <QApplication>
#include <QWidget>
#include <cstdlib>

#include "bench/ProcessProbe.h"

namespace {

class FirstPaintWatch : public QObject {
public:
    explicit FirstPaintWatch(QWidget* window) : window_(window) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (!painted_ && event->type() == QEvent::Paint && watched->isWidgetType() &&
            static_cast<QWidget*>(watched)->window() == window_) {
            painted_ = true;
            QMetaObject::invokeMethod(
                this, [this] { ReportFirstPaintAndQuit(window_->size()); }, Qt::QueuedConnection);
        }
        return false;
    }

private:
    QWidget* window_;
    bool painted_ = false;
};

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const int width = argc > 2 ? std::atoi(argv[1]) : 440;
    const int height = argc > 2 ? std::atoi(argv[2]) : 370;
    QWidget window;
    window.setFixedSize(width, height);
    FirstPaintWatch watch(&window);
    app.installEventFilter(&watch);
    window.show();
    return app.exec();
}
