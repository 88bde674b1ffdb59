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
    /// True when the boxes show the calculation's answer; false when it ended with a message.
    bool answered = false;
    /// The new current state result: the six boxes read back by the number rule, or all zeros
    /// (no state to mark) when the calculation ended with a message. The caller stores it and
    /// redraws the diagram; this happens after every calculation.
    RegisterStore::StateValues result{};
};

/// "计算" of the state panel. Every calculation ends with an answer in the boxes or with a
/// message; after a message past the input check, the boxes of the unticked properties show
/// "0", so that nothing of an earlier answer stands beside the new values.
StateOutcome SCAL2_Click(const data::PropertyDatabase& db, const StatePanel& panel);

/// "重设": every box "0"; ticks, enabling and colours stay. The caller zeroes the current
/// state result and redraws.
StatePanel cmdClean2_Click(const StatePanel& panel);

}  // namespace steam::calc
