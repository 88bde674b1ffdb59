#pragma once
// The state calculator: two known properties (one of them t or p) give the region and
// the rest. Wet states and dryness pairs are computed from the saturation row at the known
// t or p; single-phase states are looked up in the water or vapour grid.
#include "panels.h"
#include "register_store.h"

namespace steam::data {
class PropertyDatabase;
}

namespace steam::calc {

enum StateRegion { RegionNone = 0, RegionWater = 1, RegionVapor = 2, RegionWet = 3, RegionInvalid = 4,
                   RegionNeedsDryness = 5 };

/// The known pair, first known always t or p.
enum PairCase { PairNone = 0, PairTP = 1, PairTV, PairTH, PairTS, PairTX, PairPV, PairPH, PairPS, PairPX };

struct StateOutcome {
    StatePanel panel;  ///< the panel as it must be shown afterwards
    data::Messages messages;
    int region = RegionNone;
    int pairCase = PairNone;
    int Choose = 0;  ///< kind of table match of a single-phase search (1 to 4), 0 when none ran
    /// The six boxes read back by the number rule: the new current state result. The caller
    /// stores it and redraws the diagram; this happens after every calculation.
    RegisterStore::StateValues result{};
};

/// "计算" of the state panel.
StateOutcome SCAL2_Click(const data::PropertyDatabase& db, const StatePanel& panel);

/// "重设": every box "0"; ticks, enabling and colours stay. The caller zeroes the current
/// state result and redraws.
StatePanel cmdClean2_Click(const StatePanel& panel);

}  // namespace steam::calc
