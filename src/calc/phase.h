#pragma once
// The phase of a state, decided by its t and p whatever pair was typed: compressed water below
// the critical temperature above the saturation pressure (and below it above the critical
// pressure), superheated steam below the saturation pressure (and above the critical
// temperature below the critical pressure), supercritical at or above both, wet steam inside
// the dome, saturated water or steam at its edges (x = 0 or 1).
#include "state_solver.h"

namespace steam::calc {

enum class Phase { None, Liquid, Vapour, Supercritical, Wet, SaturatedLiquid, SaturatedVapour };

Phase phaseOf(const StateSolution& state);

}  // namespace steam::calc
