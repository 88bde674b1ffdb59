#pragma once
// The cycle window (查看 → 循环分析, Ctrl+L): a cycle of 3 to 9 states taken from the registers
// M1 to M9 in the order picked (saturated water or steam of a register holding a saturation
// result), each leg's process chosen; its states and legs in a table (t p v u h s x, the leg's
// process, mass fraction, q, w and isentropic efficiency) and its figures beneath. The Rankine
// builder above computes a cycle from its design values, stores its states into the registers
// (asking first when that overwrites any) and fills the picks. "复制" (Ctrl+C) puts the table
// with its header and figures on the clipboard as tab-separated text, "导出" writes it as a CSV
// file. "在图上显示循环" shows or hides the cycle on the charts.
// A thin adapter: the cycle, its figures and the builder belong to the core (cycle/), the
// texts to the panels (panels/cycle_texts.h); the main window shows the stored registers and
// draws the cycle through the links it gives.
#include "cycle/cycle_figures.h"
#include "cycle/rankine.h"
#include "diagram/cycle_paths.h"
#include "program_context.h"

#include <QWidget>

#include <array>
#include <functional>
#include <optional>
#include <vector>

class QAction;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;
class QTableWidget;

namespace steam::calc {
class RegisterStore;
}
namespace steam::data {
class PropertyDatabase;
}

namespace steam::ui {

struct CycleWindowLinks {
    /// The builder stored states into these registers: the main window shows them.
    std::function<void(const std::vector<int>&)> registersStored;
    /// The cycle to draw (empty for none) and whether it is to be shown.
    std::function<void(const diagram::CycleDrawing&, bool)> cycleChanged;
};

class CycleWindow : public QWidget {
    Q_OBJECT
public:
    CycleWindow(const ProgramContext& context, const data::PropertyDatabase& db, calc::RegisterStore& registers,
                CycleWindowLinks links, QWidget* parent = nullptr);

    /// The design values' boxes, in the order of cycle::RankineValue.
    std::array<QLineEdit*, cycle::kRankineValueCount> TXTdesign{};
    QPushButton* CMDbuild = nullptr;
    QSpinBox* SPNcount = nullptr;
    /// Per state: its register, the phase of a saturation register, the process of the leg
    /// leaving it.
    std::array<QComboBox*, cycle::kMaxStates> CBOregister{};
    std::array<QComboBox*, cycle::kMaxStates> CBOphase{};
    std::array<QComboBox*, cycle::kMaxStates> CBOprocess{};
    QTableWidget* Table = nullptr;
    QLabel* LabelFigures = nullptr;
    QLabel* LabelHint = nullptr;
    QCheckBox* CHKshow = nullptr;
    QPushButton* CMDcopy = nullptr;
    QPushButton* CMDexport = nullptr;
    QAction* copyAction = nullptr;

    /// "生成": builds the Rankine cycle of the design values.
    void CMDbuild_Click();
    void copyCycle();
    void CMDexport_Click();
    /// The registers changed outside the window: the cycle is taken from them again.
    void registersChanged();

    /// The cycle the window shows, if its picks make one.
    const std::optional<cycle::Cycle>& currentCycle() const { return m_cycle; }
    const cycle::CycleFigures& figures() const { return m_figures; }

private:
    void buildDesignBox(QWidget* box);
    void buildPicksBox(QWidget* box);
    /// The user changed a pick or the count: the builder's exact cycle no longer stands.
    void picksChanged();
    /// Works the cycle of the picks (or the builder's while it stands) and shows it.
    void recompute();
    void showTable();
    /// The design values typed; a box that holds no number is named in a message.
    std::optional<cycle::RankineInputs> readDesign();
    void fillPicks(const std::vector<int>& registers, const cycle::Cycle& cycle);

    ProgramContext m_context;
    const data::PropertyDatabase& m_db;
    calc::RegisterStore& m_registers;
    CycleWindowLinks m_links;
    std::optional<cycle::Cycle> m_built;  // the builder's cycle, unrounded, while its picks stand
    std::optional<cycle::Cycle> m_cycle;
    cycle::CycleFigures m_figures{};
    diagram::CycleDrawing m_drawing;
    bool m_filling = false;  // the window itself is setting its controls
};

}  // namespace steam::ui
