#pragma once
// The saturation calculator: one known property of the saturation state, chosen by an
// option button and typed into its box, gives all eight by interpolation in the saturation
// table, written with their fixed decimals.
#include "panels.h"
#include "register_store.h"

#include <optional>

namespace steam::data {
class PropertyDatabase;
}

namespace steam::calc {

struct SaturationOutcome {
    SaturationPanel panel;   ///< the panel as it must be shown afterwards
    data::Messages messages;
    /// The new current saturation result, which the caller stores before redrawing the
    /// diagram: the values as shown, or all zeros (no points to mark) when the calculation
    /// ended with a message. Empty when nothing was calculated.
    std::optional<RegisterStore::SatValues> result;
    /// True when the boxes show the calculation's answer.
    bool answered = false;
};

/// "计算" of the saturation panel. Before any option was ever chosen it does nothing. All eight
/// values come from the value as typed; the known box then shows it with its fixed decimals.
/// After the range message the other seven boxes show "0".
SaturationOutcome SCAL_Click(const data::PropertyDatabase& db, const SaturationPanel& panel);

/// "重设": every box locked, grey and "0", no option selected (the choice is remembered).
/// The caller zeroes the current saturation result and redraws.
SaturationPanel cmdClean_Click(const SaturationPanel& panel);

}  // namespace steam::calc
