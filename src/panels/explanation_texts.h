#pragma once
// The explanation of a calculation as the 计算过程 window shows it and the clipboard takes it:
// the known values, for a state the region and why, then every step (step_texts.h) with its
// rows lined up under their captions and its formula.
#include "step_texts.h"

#include <string>

namespace steam::panels {

/// The whole explanation of a saturation calculation (the known value, then every step with
/// its rows lined up and its formula), as the window shows it and the clipboard takes it.
std::string saturationExplanation(calc::SatProperty known, double value, const calc::SaturationSolution& solution,
                                  const calc::CalculationSteps& steps);

/// The same for a state: the known pair, the region and why, the steps.
std::string stateExplanation(calc::Property first, double firstValue, calc::Property second, double secondValue,
                             const calc::StateSolution& solution, const calc::CalculationSteps& steps);

}  // namespace steam::panels
