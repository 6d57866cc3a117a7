#pragma once

#include <QString>
#include <functional>

#include "common/Failure.h"

class QWidget;

// Every message box of the program goes through ShowMessage, so that tests can
// record what was shown and answer it instead of a person.
enum class MsgButtons { Ok, OkCancel, YesNo, YesNoCancel };
enum class MsgAnswer { Ok, Cancel, Yes, No };

struct MessageRequest {
    QString title;
    QString text;
    MsgIcon icon = MsgIcon::None;
    MsgButtons buttons = MsgButtons::Ok;
};

MsgAnswer ShowMessage(QWidget* parent, const QString& text, MsgIcon icon = MsgIcon::None,
                      MsgButtons buttons = MsgButtons::Ok,
                      const QString& title = QStringLiteral("Error"));

// Shows the failure of an attempt, if any; true when there was one.
bool ShowFailure(QWidget* parent, const Attempt& attempt);

using MessageHandler = std::function<MsgAnswer(const MessageRequest&)>;

// Replaces the message box; an empty handler restores the real one.
void SetMessageHandler(MessageHandler handler);
