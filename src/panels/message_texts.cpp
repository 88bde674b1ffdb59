#include "message_texts.h"

namespace steam::panels {
namespace {

constexpr const char* kNoticeTitle = "注意";

}  // namespace

MessageText messageText(const calc::Message& message) {
    using calc::MessageCode;
    switch (message.code) {
        case MessageCode::OutOfRange: return {kReminderTitle, "超出可选范围，请重新输入"};
        case MessageCode::NeedsDryness: return {kNoticeTitle, "湿蒸汽，请输入干度"};
        case MessageCode::TwoValuesNeeded: return {kNoticeTitle, "必须输入2个参数!"};
        case MessageCode::ZoomAtLimit: return {kReminderTitle, "所选区域已放至最大，图中双击鼠标左键恢复原始比例。"};
        case MessageCode::DataFault: return {kReminderTitle, "数据文件已损坏：" + message.detail};
    }
    return {kReminderTitle, "?"};
}

}  // namespace steam::panels
