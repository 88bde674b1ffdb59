#pragma once
// How the panels' boxes show a calculator's answer. The same texts stand in the result list,
// its CSV and steamcalc's answers.
#include "calc/saturation_solver.h"
#include "calc/state_solver.h"

#include <array>
#include <optional>
#include <string>

namespace steam::panels {

using StateTexts = std::array<std::string, calc::kStateProperties>;
/// ts ps v' v'' h' h'' s' s'', then u' and u''.
using SaturationTexts = std::array<std::string, calc::kSaturationProperties + 2>;

/// The boxes t p v h s x u of a state: a single-phase state with the fixed decimals of its
/// boxes and x "(none)"; a mixture with every value rounded half up to those decimals, in the general
/// form (no trailing zeros); the critical point likewise with x "(none)"; "none" in every box
/// where no state exists. None for a calculation that ended with messages.
std::optional<StateTexts> stateBoxTexts(const calc::StateSolution& solution);

/// The boxes of a saturation state, each with its fixed decimals, u' and u'' as h' and h''.
SaturationTexts saturationBoxTexts(const calc::SaturationSolution& solution);

/// "(none)": the dryness of a state that has none.
inline constexpr const char* kNoDryness = "(none)";

}  // namespace steam::panels
