#include "common/EscapeKey.h"

#include <QAbstractButton>
#include <QShortcut>

void EscapePresses(QWidget* window, QAbstractButton* cancel) {
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), window);
    escape->setContext(Qt::WindowShortcut);
    QObject::connect(escape, &QShortcut::activated, cancel, &QAbstractButton::click);
}
