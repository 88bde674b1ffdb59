#pragma once
// "计算" and "重设" of the state panel: the two ticked boxes, read by the boxes' number rule,
// give the state (calc/state_solver.h), written into the six boxes as box_texts.h shows it.
// The panel keeps the values as shown.
#include "calc/register_store.h"
#include "calc/state_solver.h"
#include "panels.h"

#include <string>

namespace steam::panels {

struct StateOutcome {
    StatePanel panel;  ///< the panel as it must be shown afterwards
    calc::Messages messages;
    /// The calculator's answer; empty when the input check failed.
    std::optional<calc::StateSolution> solution;
    int region = calc::RegionNone;
    int pairCase = calc::PairNone;
    int Choose = 0;  ///< kind of table match of a single-phase search (1 to 4), 0 when none ran
    /// True when the boxes show the calculation's answer; false when it ended with a message.
    bool answered = false;
    /// The new current state result: the seven boxes read back by the number rule, or all zeros
    /// (no state to mark) when the calculation ended with a message. The caller stores it and
    /// redraws the diagram; this happens after every calculation.
    calc::RegisterStore::StateValues result{};
    /// Asked for: how the values were found (explanation_texts.h); empty when the input check
    /// failed.
    std::string explanation;
};

/// "计算" of the state panel: any two ticked boxes; the first in box order is the first known.
/// Every calculation ends with an answer in the boxes or with a message; after a message past
/// the input check, the boxes of the unticked properties show "0", so that nothing of an
/// earlier answer stands beside the new values. Afterwards every value box is enabled.
/// With `explain`, the outcome also tells how the values were found.
StateOutcome SCAL2_Click(const data::PropertyDatabase& db, const StatePanel& panel, bool explain = false);

/// "重设": every box "0"; ticks, enabling and colours stay. The caller zeroes the current
/// state result and redraws.
StatePanel cmdClean2_Click(const StatePanel& panel);

}  // namespace steam::panels
