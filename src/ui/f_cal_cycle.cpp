// The main window's side of the cycle window: opening it, showing the registers its builder
// stored, drawing its cycle on the charts, and telling it when the registers change.
#include "f_cal.h"

#include "cycle_window.h"
#include "secondary_windows.h"
#include "widget_style.h"

#include <QCheckBox>
#include <QPushButton>

namespace steam::ui {

void fCal::showCycleWindow() {
    if (!m_cycleWindow) {
        CycleWindowLinks links;
        links.registersStored = [this](const std::vector<int>& stored) {
            for (int r : stored) showRegisterStored(r);
        };
        links.cycleChanged = [this](const diagram::CycleDrawing& drawing, bool shown) {
            m_diagram.cycle = drawing;
            m_diagram.showCycle = shown;
            redraw();
        };
        m_cycleWindow = std::make_unique<CycleWindow>(m_context, m_db, m_registers, std::move(links));
    }
    showOrRaise(m_cycleWindow.get());
}

void fCal::showRegisterStored(int r) {
    CMDupMR[r]->setEnabled(true);
    CHKupM[r]->setEnabled(true);
    setFilledBackground(CHKupM[r], toQColor(colour::kRegisterColours[static_cast<size_t>(r)]));
}

void fCal::registersChanged() {
    if (m_cycleWindow) m_cycleWindow->registersChanged();
}

}  // namespace steam::ui
