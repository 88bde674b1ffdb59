#pragma once
// A message the user must see: a modal box with a title, a text and an icon.
// The core never shows boxes itself; it hands these, in order, to the window layer.
#include <string>
#include <vector>

namespace steam::data {

enum class MessageIcon { Exclamation, Question };

struct Message {
    std::string title;
    std::string text;
    MessageIcon icon = MessageIcon::Exclamation;

    bool operator==(const Message&) const = default;
};

using Messages = std::vector<Message>;

/// Title and text of the range message shown by the lookups.
inline constexpr const char* kReminderTitle = "提醒";
inline constexpr const char* kOutOfRangeText = "超出可选范围，请重新输入";

inline Message outOfRangeMessage() { return {kReminderTitle, kOutOfRangeText, MessageIcon::Exclamation}; }

}  // namespace steam::data
