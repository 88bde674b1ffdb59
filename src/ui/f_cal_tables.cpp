// The main window's windows of the tables themselves: how the current results were found
// (计算过程), which follows every calculation and reset while open, and the pages of a
// property table (性质表).
#include "f_cal.h"

#include "explanation_window.h"
#include "secondary_windows.h"
#include "table_page_window.h"

namespace steam::ui {

void fCal::showExplanationWindow() {
    if (!m_explanationWindow) m_explanationWindow = std::make_unique<ExplanationWindow>();
    refreshExplanationWindow();
    showOrRaise(m_explanationWindow.get());
}

void fCal::refreshExplanationWindow() {
    if (m_explanationWindow) m_explanationWindow->showExplanations(m_saturationExplanation, m_stateExplanation);
}

void fCal::showTablePageWindow() {
    if (!m_tablePageWindow) m_tablePageWindow = std::make_unique<TablePageWindow>(m_context, m_db);
    showOrRaise(m_tablePageWindow.get());
}

}  // namespace steam::ui
