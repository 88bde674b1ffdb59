// The main window's menu items and ways out: saving the picture, the usage, about and result
// list windows, and leaving through "退出程序？" and the farewell window.
#include "f_cal.h"

#include "message_service.h"
#include "render/qimage_surface.h"
#include "result_list_window.h"
#include "result_table_model.h"
#include "save_dialog_service.h"
#include "secondary_windows.h"

#include <QCloseEvent>

namespace steam::ui {

void fCal::savePicture() {
    const std::optional<QString> path = m_context.saveDialog->askSavePath(
        this, QString::fromUtf8(m_diagram.description().pictureName), QStringLiteral("pictures(*.bmp;*.jpg)"));
    if (!path) return;
    QString error;
    if (!m_surface->saveBmp(*path, &error))
        m_context.messages->show(this, QStringLiteral("提醒"),
                                 QStringLiteral("图片未能保存到 %1：%2").arg(*path, error), MessageIcon::Warning,
                                 MessageButtons::Ok);
}

void fCal::showUsage() {
    if (!m_readme) m_readme = std::make_unique<Readme>();
    showOrRaise(m_readme.get());
}

void fCal::showAbout() {
    if (!m_about) m_about = std::make_unique<attachment>();
    showOrRaise(m_about.get());
}

void fCal::showResultList() {
    if (!m_resultWindow) m_resultWindow = std::make_unique<ResultListWindow>(m_context, *m_results);
    showOrRaise(m_resultWindow.get());
}

const calc::ResultList& fCal::results() const { return m_results->list(); }

bool fCal::confirmExit() {
    return m_context.messages->show(this, QStringLiteral("提醒"), QStringLiteral("退出程序？"), MessageIcon::Question,
                                    MessageButtons::YesNo) == MessageAnswer::Yes;
}

void fCal::showFarewell() {
    if (!m_goodbye) m_goodbye = std::make_unique<fGoodby>(m_context);
    showOrRaise(m_goodbye.get());
}

void fCal::CMDcancel_Click() {
    if (!confirmExit()) return;
    showFarewell();
    hide();
}

void fCal::exitFromMenu() {
    if (!confirmExit()) return;
    showFarewell();
}

void fCal::closeEvent(QCloseEvent* event) {
    // The close control takes the exit button's path: confirmation, farewell window.
    event->ignore();
    CMDcancel_Click();
}

}  // namespace steam::ui
