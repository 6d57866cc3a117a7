#include "common/EscapeKey.h"

#include <QAbstractButton>
#include <QShortcut>
#include <QWidget>

namespace {

QShortcut* escapeKey(QWidget* window) {
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), window);
    escape->setContext(Qt::WindowShortcut);
    return escape;
}

}  // namespace

void EscapePresses(QWidget* window, QAbstractButton* cancel) {
    QObject::connect(escapeKey(window), &QShortcut::activated, cancel, &QAbstractButton::click);
}

void EscapeCloses(QWidget* window) {
    QObject::connect(escapeKey(window), &QShortcut::activated, window, &QWidget::close);
}
