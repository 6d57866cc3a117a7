#pragma once

#include <QString>
#include <optional>

// Icons of the program's message boxes.
enum class MsgIcon { None, Exclamation, Critical, Information, Question };

// Why a function of the core failed, as the window tells the user: the text
// and icon of its message box.
struct Failure {
    QString text;
    MsgIcon icon = MsgIcon::None;
};

// The result of a step that either works or fails with a reason.
struct Attempt {
    std::optional<Failure> failure;

    static Attempt Failed(const QString& text, MsgIcon icon) { return {Failure{text, icon}}; }
    explicit operator bool() const { return !failure; }
};
