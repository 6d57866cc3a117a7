#include "common/MessageBox.h"

#include <QMessageBox>

namespace {

MessageHandler& handler() {
    static MessageHandler instance;
    return instance;
}

QMessageBox::Icon toQt(MsgIcon icon) {
    switch (icon) {
        case MsgIcon::Exclamation: return QMessageBox::Warning;
        case MsgIcon::Critical: return QMessageBox::Critical;
        case MsgIcon::Information: return QMessageBox::Information;
        case MsgIcon::Question: return QMessageBox::Question;
        case MsgIcon::None: break;
    }
    return QMessageBox::NoIcon;
}

MsgAnswer showBox(QWidget* parent, const MessageRequest& request) {
    QMessageBox box(toQt(request.icon), request.title, request.text, QMessageBox::NoButton, parent);
    switch (request.buttons) {
        case MsgButtons::Ok: box.setStandardButtons(QMessageBox::Ok); break;
        case MsgButtons::OkCancel:
            box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
            box.setDefaultButton(QMessageBox::Cancel);
            break;
        case MsgButtons::YesNo:
            box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
            box.setDefaultButton(QMessageBox::No);
            break;
        case MsgButtons::YesNoCancel:
            box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
            box.setDefaultButton(QMessageBox::Yes);
            box.setEscapeButton(QMessageBox::Cancel);
            break;
    }
    switch (box.exec()) {
        case QMessageBox::Ok: return MsgAnswer::Ok;
        case QMessageBox::Yes: return MsgAnswer::Yes;
        case QMessageBox::No: return MsgAnswer::No;
        default: break;
    }
    return request.buttons == MsgButtons::YesNo ? MsgAnswer::No
           : request.buttons == MsgButtons::Ok  ? MsgAnswer::Ok
                                                : MsgAnswer::Cancel;
}

}  // namespace

MsgAnswer ShowMessage(QWidget* parent, const QString& text, MsgIcon icon, MsgButtons buttons,
                      const QString& title) {
    const MessageRequest request{title, text, icon, buttons};
    if (handler()) return handler()(request);
    return showBox(parent, request);
}

void SetMessageHandler(MessageHandler h) { handler() = std::move(h); }

bool ShowFailure(QWidget* parent, const Attempt& attempt) {
    if (attempt) return false;
    ShowMessage(parent, attempt.failure->text, attempt.failure->icon);
    return true;
}
