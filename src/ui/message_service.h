#pragma once
// Modal boxes are asked for through this interface so that tests can answer them with a
// script; the windows never construct a QMessageBox themselves.
#include "calc/message.h"

#include <QString>

class QWidget;

namespace steam::ui {

enum class MessageIcon { Warning, Question, Information };
enum class MessageButtons { Ok, YesNo };
enum class MessageAnswer { Ok, Yes, No };

class MessageService {
public:
    virtual ~MessageService() = default;
    /// Shows a modal box over parent and returns the button pressed.
    virtual MessageAnswer show(QWidget* parent, const QString& title, const QString& text, MessageIcon icon,
                               MessageButtons buttons) = 0;

    /// A message handed up by the core, in the words of the message table: OK only.
    void showCore(QWidget* parent, const calc::Message& message);
};

/// Real QMessageBox boxes.
class QtMessageService final : public MessageService {
public:
    MessageAnswer show(QWidget* parent, const QString& title, const QString& text, MessageIcon icon,
                       MessageButtons buttons) override;
};

}  // namespace steam::ui
