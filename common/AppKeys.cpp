#include "common/AppKeys.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPointer>
#include <QPushButton>

namespace {

class AppKeys : public QObject {
public:
    explicit AppKeys(QObject* parent) : QObject(parent) {}

    QPointer<QObject> helpOwner;
    HelpRequest help;

protected:
    // A key press is offered to the focus widget first, then to its parents;
    // the application's filter sees each of these deliveries.
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::KeyPress || !watched->isWidgetType()) return false;
        const auto* key = static_cast<QKeyEvent*>(event);
        const Qt::KeyboardModifiers modifiers = key->modifiers() & ~Qt::KeypadModifier;
        if (key->key() == Qt::Key_F1 && modifiers == Qt::NoModifier) {
            if (!helpOwner || !help) return false;
            QWidget* from = QApplication::activeWindow();
            if (!from) from = static_cast<QWidget*>(watched)->window();
            if (!key->isAutoRepeat()) help(from);
            return true;
        }
        if ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) &&
            modifiers == Qt::NoModifier) {
            auto* button = qobject_cast<QPushButton*>(watched);
            if (!button || !button->hasFocus()) return false;
            if (!key->isAutoRepeat() && button->isEnabled()) button->click();
            return true;
        }
        return false;
    }
};

AppKeys*& instance() {
    static AppKeys* keys = nullptr;
    return keys;
}

}  // namespace

void InstallAppKeys() {
    if (instance()) return;
    instance() = new AppKeys(qApp);  // owned by qApp
    qApp->installEventFilter(instance());
}

void SetHelpRequest(QObject* owner, HelpRequest request) {
    InstallAppKeys();
    instance()->helpOwner = owner;
    instance()->help = std::move(request);
}
