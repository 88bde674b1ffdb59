#pragma once
// A cycle's states and the memory registers: a state picked by hand from a register, and the
// registers a built cycle goes into.
// A register holding a state gives its t p v h s x (x NaN where the box showed "(none)"); one
// holding a saturation result gives its saturated water (x = 0) or saturated steam (x = 1) as
// the user chooses. u is h - p v of the values held, whatever the register keeps for it.
// A cycle of n states goes into M(10 - n) to M9, state 1 first: the state registers M6 to M9
// first, then as many of M1 to M5 as more states need (all nine with reheat and a heater).
#include "cycle.h"

#include "calc/register_store.h"

#include <optional>
#include <vector>

namespace steam::cycle {

enum class SaturatedPhase { Water, Steam };

struct StatePick {
    int registerIndex = 0;                         ///< 0 to 8: M1 to M9
    SaturatedPhase phase = SaturatedPhase::Water;  ///< for a register holding a saturation result
};

/// The state a pick names; nothing when the register is empty or holds no state (one stored
/// after a message, all "0" or "none").
std::optional<StateValues> pickedState(const calc::RegisterStore& registers, const StatePick& pick);

/// The cycle of these picks and processes (one each, mass fractions 1); nothing when a pick
/// names no state or the count is not 3 to 9.
std::optional<Cycle> cycleFromPicks(const calc::RegisterStore& registers, const std::vector<StatePick>& picks,
                                    const std::vector<Process>& processes);

/// The registers (0 to 8) the states of a cycle of `stateCount` states go into, in state order.
std::vector<int> cycleRegisters(int stateCount);

/// Of those, the ones that hold something now, which storing the cycle would overwrite.
std::vector<int> occupiedRegisters(const calc::RegisterStore& registers, int stateCount);

}  // namespace steam::cycle
