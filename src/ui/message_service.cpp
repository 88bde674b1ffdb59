#include "message_service.h"

#include "panels/message_texts.h"

#include <QAbstractButton>
#include <QMessageBox>

namespace steam::ui {

void MessageService::showCore(QWidget* parent, const calc::Message& message) {
    const panels::MessageText text = panels::messageText(message);
    const MessageIcon icon = text.icon == panels::MessageIcon::Question ? MessageIcon::Question : MessageIcon::Warning;
    show(parent, QString::fromStdString(text.title), QString::fromStdString(text.text), icon, MessageButtons::Ok);
}

MessageAnswer QtMessageService::show(QWidget* parent, const QString& title, const QString& text, MessageIcon icon,
                                     MessageButtons buttons) {
    QMessageBox::Icon boxIcon = QMessageBox::Warning;
    if (icon == MessageIcon::Question) boxIcon = QMessageBox::Question;
    if (icon == MessageIcon::Information) boxIcon = QMessageBox::Information;
    const auto standard = buttons == MessageButtons::YesNo ? (QMessageBox::Yes | QMessageBox::No)
                                                           : QMessageBox::StandardButtons(QMessageBox::Ok);
    QMessageBox box(boxIcon, title, text, standard, parent);
    if (QAbstractButton* yes = box.button(QMessageBox::Yes)) yes->setText(QStringLiteral("是(&Y)"));
    if (QAbstractButton* no = box.button(QMessageBox::No)) no->setText(QStringLiteral("否(&N)"));
    if (QAbstractButton* ok = box.button(QMessageBox::Ok)) ok->setText(QStringLiteral("确定"));
    const int pressed = box.exec();
    if (buttons == MessageButtons::Ok) return MessageAnswer::Ok;
    return pressed == QMessageBox::Yes ? MessageAnswer::Yes : MessageAnswer::No;
}

}  // namespace steam::ui
