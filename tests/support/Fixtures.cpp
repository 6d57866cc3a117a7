#include "support/Fixtures.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QFile>
#include <QTest>
#include <QWidget>

#include "common/ModalRun.h"

MessageRecorder::MessageRecorder() {
    SetMessageHandler([this](const MessageRequest& request) {
        shown.push_back(request);
        if (!answers.empty()) {
            const MsgAnswer answer = answers.front();
            answers.pop_front();
            return answer;
        }
        return request.buttons == MsgButtons::YesNo ? MsgAnswer::Yes : MsgAnswer::Ok;
    });
}

MessageRecorder::~MessageRecorder() {
    SetMessageHandler({});
}

QStringList MessageRecorder::texts() const {
    QStringList list;
    for (const auto& request : shown) list << request.text;
    return list;
}

ModalDriver::ModalDriver() {
    SetModalRunner([this](QDialog& dialog) {
        opened << dialog.objectName();
        dialog.setResult(QDialog::Rejected);
        // Modal as exec() makes it: the windows beneath it take no input.
        dialog.setAttribute(Qt::WA_ShowModal, true);
        dialog.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&dialog));
        if (!steps_.empty()) {
            Step step = std::move(steps_.front());
            steps_.pop_front();
            step(dialog);
        }
        if (dialog.isVisible()) dialog.reject();
        return dialog.result();
    });
}

ModalDriver::~ModalDriver() {
    SetModalRunner({});
}

bool TempDir::write(const QString& name, const QByteArray& bytes) const {
    QFile file(dir_.filePath(name));
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
           file.write(bytes) == bytes.size();
}

QByteArray TempDir::read(const QString& name) const {
    QFile file(dir_.filePath(name));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void Click(QWidget* widget) {
    ASSERT_NE(widget, nullptr);
    QTest::mouseClick(widget, Qt::LeftButton, Qt::NoModifier, widget->rect().center());
}

void ShowAndWait(QWidget* window) {
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
}

QStringList TabWalk(QWidget* from, int presses, bool back) {
    QStringList names;
    from->window()->activateWindow();
    if (!QTest::qWaitForWindowActive(from->window())) return {u"<window not active>"_qs};
    from->setFocus(Qt::OtherFocusReason);
    for (int i = 0; i < presses; ++i) {
        QWidget* focused = QApplication::focusWidget();
        if (!focused) return names << u"<no focus>"_qs;
        QTest::keyClick(focused, Qt::Key_Tab, back ? Qt::ShiftModifier : Qt::NoModifier);
        focused = QApplication::focusWidget();
        names << (focused ? focused->objectName() : u"<no focus>"_qs);
    }
    return names;
}
