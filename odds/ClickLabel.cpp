#include "odds/ClickLabel.h"

#include <QMouseEvent>
#include <QPointer>

namespace {

// The label that took the last left press, of any window: there is one mouse.
QPointer<ClickLabel>& lastPressed() {
    static QPointer<ClickLabel> label;
    return label;
}

}  // namespace

void ClickLabel::mousePressEvent(QMouseEvent* event) {
    pressed_ = event->button() == Qt::LeftButton;
    if (pressed_) lastPressed() = this;
    QLabel::mousePressEvent(event);
}

void ClickLabel::mouseDoubleClickEvent(QMouseEvent* event) {
    // Qt sends the second press of a double-click as this event alone.
    if (lastPressed() == this) {
        pressed_ = false;
        event->accept();
        return;
    }
    mousePressEvent(event);
}

void ClickLabel::mouseReleaseEvent(QMouseEvent* event) {
    const bool click = pressed_ && event->button() == Qt::LeftButton &&
                       rect().contains(event->position().toPoint());
    pressed_ = false;
    QLabel::mouseReleaseEvent(event);
    if (click) emit clicked();
}
