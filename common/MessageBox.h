#pragma once

#include <QString>
#include <functional>

class QWidget;

// Every message box of the program goes through ShowMessage, so that tests can
// record what was shown and answer it instead of a person.
enum class MsgIcon { None, Exclamation, Critical, Information, Question };
enum class MsgButtons { Ok, OkCancel, YesNo };
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

using MessageHandler = std::function<MsgAnswer(const MessageRequest&)>;

// Replaces the message box; an empty handler restores the real one.
void SetMessageHandler(MessageHandler handler);
