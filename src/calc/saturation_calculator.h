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
    /// The values as shown, when the calculation produced a result; the caller makes them
    /// the current saturation result and redraws the diagram.
    std::optional<RegisterStore::SatValues> result;
};

/// "计算" of the saturation panel. Before any option was ever chosen it does nothing.
SaturationOutcome SCAL_Click(const data::PropertyDatabase& db, const SaturationPanel& panel);

/// "重设": every box locked, grey and "0", no option selected (the choice is remembered).
/// The caller zeroes the current saturation result and redraws.
SaturationPanel cmdClean_Click(const SaturationPanel& panel);

}  // namespace steam::calc
