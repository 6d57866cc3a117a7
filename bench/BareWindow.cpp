// The floor of the start-up benchmark: a bare Qt Widgets program that shows
// one empty window of the given size and ends after its first paint.
//
// Built a second time with ZEM_TEXT_WINDOW as a reference beside it: the same
// window with two labels in the program's font, one regular and one bold as
// on the splash, to show what the Japanese font alone costs at start-up.

#include <QApplication>
#include <QWidget>
#include <cstdlib>

#include "bench/ProcessProbe.h"

#ifdef ZEM_TEXT_WINDOW
#include <QLabel>

#include "common/Fonts.h"
#endif

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
#ifdef ZEM_TEXT_WINDOW
    auto* regular = new QLabel(QStringLiteral("中山　馬連　 1R"), &window);
    regular->setFont(UiFont(12));
    regular->move(10, 10);
    auto* bold = new QLabel(QStringLiteral("Ver2.1"), &window);
    bold->setFont(UiFont(12, true));
    bold->move(10, 40);
#endif
    FirstPaintWatch watch(&window);
    app.installEventFilter(&watch);
    window.show();
    return app.exec();
}
