#pragma once
// "计算" and "重设" of the saturation panel: the known property chosen by an option button and
// typed into its box, read by the boxes' number rule, gives all eight (calc/saturation_solver.h),
// written with their fixed decimals. The panel keeps the values as shown.
#include "calc/register_store.h"
#include "calc/saturation_solver.h"
#include "panels.h"

#include <optional>
#include <string>

namespace steam::panels {

struct SaturationOutcome {
    SaturationPanel panel;  ///< the panel as it must be shown afterwards
    calc::Messages messages;
    /// The calculator's answer; empty when nothing was calculated (no option ever chosen).
    std::optional<calc::SaturationSolution> solution;
    /// The new current saturation result, which the caller stores before redrawing the
    /// diagram: the values as shown, or all zeros (no points to mark) when the calculation
    /// ended with a message. Empty when nothing was calculated.
    std::optional<calc::RegisterStore::SatValues> result;
    /// True when the boxes show the calculation's answer.
    bool answered = false;
    /// Asked for: how the values were found (explanation_texts.h); empty when nothing was
    /// calculated.
    std::string explanation;
};

/// "计算" of the saturation panel. Before any option was ever chosen it does nothing. All eight
/// values come from the value as typed; the known box then shows it with its fixed decimals.
/// After a message the other seven boxes show "0".
/// With `explain`, the outcome also tells how the values were found.
SaturationOutcome SCAL_Click(const data::PropertyDatabase& db, const SaturationPanel& panel, bool explain = false);

/// "重设": every box locked, grey and "0", no option selected (the choice is remembered).
/// The caller zeroes the current saturation result and redraws.
SaturationPanel cmdClean_Click(const SaturationPanel& panel);

}  // namespace steam::panels
