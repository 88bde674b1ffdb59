#pragma once
// The state calculator: any two known properties give the region and the rest. Wet states
// and dryness pairs are computed from the saturation table; single-phase states are looked up
// on the (t, p) surface of the water or vapour grid (pairs without t or p: pairs_without_tp.h).
#include "panels.h"
#include "register_store.h"

namespace steam::data {
class PropertyDatabase;
}

namespace steam::calc {

enum StateRegion { RegionNone = 0, RegionWater = 1, RegionVapor = 2, RegionWet = 3, RegionInvalid = 4,
                   RegionNeedsDryness = 5 };

/// The known pair, in the order of the boxes t p v h s x.
enum PairCase { PairNone = 0, PairTP = 1, PairTV, PairTH, PairTS, PairTX, PairPV, PairPH, PairPS, PairPX,
                PairVH, PairVS, PairVX, PairHS, PairHX, PairSX };

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
