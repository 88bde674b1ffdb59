#pragma once
// The one table of what the user reads for each message code: the title, the text and the
// icon of its box. The windows show it in a message box; steamcalc prints it.
#include "calc/message.h"

#include <string>

namespace steam::panels {

enum class MessageIcon { Exclamation, Question };

struct MessageText {
    std::string title;
    std::string text;
    MessageIcon icon = MessageIcon::Exclamation;

    bool operator==(const MessageText&) const = default;
};

MessageText messageText(const calc::Message& message);

/// Title of the reminders ("提醒").
inline constexpr const char* kReminderTitle = "提醒";

}  // namespace steam::panels
