#pragma once

// Test fixtures shared by every test program: message and modal-window
// recorders, temporary data and program directories, and helpers to drive
// widgets with real events.

#include <gtest/gtest.h>

#include <QDialog>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <deque>
#include <functional>
#include <vector>

#include "common/MessageBox.h"

class QWidget;
class QAbstractButton;

// Records every message box instead of showing it, and answers it with the
// next queued answer (OK, or Yes for a question, when none is queued).
class MessageRecorder {
public:
    MessageRecorder();
    ~MessageRecorder();
    MessageRecorder(const MessageRecorder&) = delete;
    MessageRecorder& operator=(const MessageRecorder&) = delete;

    std::vector<MessageRequest> shown;
    std::deque<MsgAnswer> answers;

    QStringList texts() const;
    void clear() { shown.clear(); }
};

// Runs modal windows without a nested event loop: the window is shown modal, and the
// next queued step drives it with real events (clicks, keys). A window still
// open after its step is rejected, as if closed by its close box. With no step
// queued the window is rejected at once.
class ModalDriver {
public:
    using Step = std::function<void(QDialog&)>;
    ModalDriver();
    ~ModalDriver();
    ModalDriver(const ModalDriver&) = delete;
    ModalDriver& operator=(const ModalDriver&) = delete;

    void then(Step step) { steps_.push_back(std::move(step)); }
    std::size_t pending() const { return steps_.size(); }
    QStringList opened;  // objectNames of the windows run, in order

private:
    std::deque<Step> steps_;
};

// A temporary directory for data files, settings files or saved memos.
class TempDir {
public:
    TempDir() = default;
    QString path() const { return dir_.path(); }
    QString file(const QString& name) const { return dir_.filePath(name); }
    bool write(const QString& name, const QByteArray& bytes) const;
    QByteArray read(const QString& name) const;

private:
    QTemporaryDir dir_;
};

// A widget of the given type and objectName below root; fails the test when
// there is none.
template <typename T>
T* Find(QObject* root, const QString& name) {
    T* found = root->findChild<T*>(name);
    if (!found) ADD_FAILURE_AT(__FILE__, __LINE__) << "no widget named " << name.toStdString();
    return found;
}

// A left click in the middle of a widget.
void Click(QWidget* widget);
// Shows a window and waits until it is exposed.
void ShowAndWait(QWidget* window);
// Activates the window, gives `from` the focus and presses Tab (Shift+Tab with
// back) `presses` times on whatever has the focus: the objectNames focused in turn.
QStringList TabWalk(QWidget* from, int presses, bool back = false);
