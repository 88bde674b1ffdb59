// The main window's menu items and ways out: saving and printing the chart, the usage, about
// and result list windows, and leaving through "退出程序？" and the farewell window.
#include "f_cal.h"

#include "chart_page.h"
#include "data_check_window.h"
#include "diagram_view.h"
#include "message_service.h"
#include "picture_saving.h"
#include "print_preview_service.h"
#include "render/qimage_surface.h"
#include "result_list_window.h"
#include "result_table_model.h"
#include "save_dialog_service.h"
#include "secondary_windows.h"

#include <QCloseEvent>
#include <QLineEdit>
#include <QPrinter>

#include <algorithm>

namespace steam::ui {

void fCal::savePicture() {
    const std::optional<SaveChoice> choice = m_context.saveDialog->askSave(
        this, {QString::fromUtf8(m_diagram.description().pictureName), pictureFilters(), 0, picturesFolder()});
    if (!choice) return;
    const std::optional<int> size = m_context.saveDialog->askChoice(
        this, QStringLiteral("图片尺寸"), QStringLiteral("图片按哪种尺寸保存？"), pictureSizeAnswers(Pic->size()));
    if (!size) return;
    const auto chosen = static_cast<render::PictureFormat>(std::clamp(choice->filter, 0, 4));
    const auto [path, format] = picturePath(choice->path, chosen);
    QString error;
    if (!saveChartPicture(m_diagram, m_registers, *m_surface, format,
                          *size == 1 ? PictureSize::ForPrint : PictureSize::AsOnScreen, path, &error))
        m_context.messages->show(this, QStringLiteral("提醒"), QStringLiteral("图片未能保存到 %1：%2").arg(path, error),
                                 MessageIcon::Warning, MessageButtons::Ok);
}

void fCal::printChart() {
    if (!m_context.printPreview) return;
    std::array<QString, 14> boxes;
    for (size_t i = 0; i < boxes.size(); ++i) boxes[i] = TXT[i]->text();
    std::vector<MarkedState> states = markedStates(m_registers, boxes);
    if (m_diagram.showCycle) {
        const std::vector<MarkedState> cycle = cycleStates(m_diagram.cycle);
        states.insert(states.end(), cycle.begin(), cycle.end());
    }
    QPrinter printer(QPrinter::HighResolution);
    preparePrinter(printer, QString::fromUtf8(m_diagram.description().pictureName));
    m_context.printPreview->preview(this, printer,
                                    [&](QPrinter& target) { printChartPage(target, m_diagram, m_registers, states); });
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

const std::vector<panels::ResultRow>& fCal::resultRows() const { return m_results->rows(); }

void fCal::showDataCheck() {
    if (!m_dataCheck) m_dataCheck = std::make_unique<DataCheckWindow>(m_db.directory());
    showOrRaise(m_dataCheck.get());
    m_dataCheck->start();
}

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
