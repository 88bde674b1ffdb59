// The main window's registers: M1 to M5 keep what the saturation panel's ten boxes show,
// M6 to M9 the state panel's seven; MR brings a register back into its panel's boxes (a box
// that showed no value shows it again), the show boxes mark registers on the charts and list
// them in the property sheet.
#include "f_cal.h"

#include "colour/colours.h"
#include "property_window.h"
#include "secondary_windows.h"
#include "widget_style.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>

namespace steam::ui {

namespace {

// The boxes of a panel, in the order a register keeps its values: the state panel's for a
// register holding a state (M1 to M5 too, after a cycle was stored there), else the
// saturation panel's.
std::vector<QLineEdit*> panelBoxes(const fCal& window, bool state) {
    std::vector<QLineEdit*> boxes;
    if (state) {
        for (int k = 0; k < panels::kStateBoxes; ++k) boxes.push_back(window.stateBox(k));
    } else {
        for (int i = 0; i < panels::kSaturationBoxes; ++i) boxes.push_back(window.satBox(i));
    }
    return boxes;
}

}  // namespace

void fCal::CMDupM_Click(int r) {
    std::vector<std::string> texts;
    for (const QLineEdit* box : panelBoxes(*this, r >= 5)) texts.push_back(box->text().toStdString());
    m_registers.store(r, texts);
    showRegisterStored(r);
    registersChanged();
    if (CHKupM[r]->isChecked()) redraw();
}

void fCal::CMDupMR_Click(int r) {
    const bool state = m_registers.kind(r) == calc::RegisterKind::State;
    const std::vector<std::string> texts = m_registers.recall(r);
    const std::vector<QLineEdit*> boxes = panelBoxes(*this, state);
    for (size_t k = 0; k < boxes.size() && k < texts.size(); ++k) {
        boxes[k]->setEnabled(true);
        boxes[k]->setText(QString::fromStdString(texts[k]));
        boxes[k]->setCursorPosition(0);
        if (state)
            m_state.enabled[k] = true;
        else
            m_sat.enabled[k] = true;
    }
}

void fCal::CHKupM_Click(int r) {
    m_registers.setShown(r, CHKupM[r]->isChecked());
    redraw();
}

void fCal::CMDupClear_Click() {
    m_registers.clearSaturationRegisters();
    showRegistersEmptied(0, 5);
}

void fCal::CMDdownClear_Click() {
    m_registers.clearStateRegisters();
    showRegistersEmptied(5, calc::kRegisterCount);
}

void fCal::showRegistersEmptied(int first, int end) {
    for (int r = first; r < end; ++r) {
        setFilledBackground(CHKupM[r], toQColor(colour::kEmptyRegisterBackground));
        CHKupM[r]->setEnabled(false);
        setCheck(CHKupM[r], false);
        CMDupMR[r]->setEnabled(false);
    }
    registersChanged();
    redraw();
}

// ---- the property sheet --------------------------------------------------------------------

void fCal::showPropertyWindow() {
    if (!m_propertyWindow) m_propertyWindow = std::make_unique<PropertyWindow>();
    refreshPropertyWindow();
    showOrRaise(m_propertyWindow.get());
}

void fCal::refreshPropertyWindow() {
    if (m_propertyWindow)
        m_propertyWindow->showSheet(panels::propertySheet({m_currentSaturation, m_currentState, &m_registers}));
}

}  // namespace steam::ui
