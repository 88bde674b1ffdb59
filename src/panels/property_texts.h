#pragma once
// How the program writes what a textbook table lists beyond the boxes' values (cp, cv, w, μ,
// λ, ν, Pr, σ) and names a state's phase: the same texts in the property window, the result
// list, its CSV and steamcalc's answers.
#include "calc/phase.h"
#include "calc/thermal_properties.h"

#include <array>
#include <string>

namespace steam::panels {

/// cp cv w μ λ ν Pr, in that order.
inline constexpr int kThermalCount = 7;
using ThermalTexts = std::array<std::string, kThermalCount>;

struct ThermalColumn {
    const char* key;      ///< steamcalc's JSON key: cp cv w mu k nu pr
    const char* symbol;   ///< cp, cv, w, μ, λ, ν, Pr
    const char* caption;  ///< 比定压热容 ...
    const char* unit;     ///< kJ/(kg·K) ... ("" for Pr)
    int decimals;
};
extern const std::array<ThermalColumn, kThermalCount> kThermalColumns;

/// The properties with their decimals; "—" where one is not defined, "∞" where it diverges.
ThermalTexts thermalTexts(const calc::ThermalSet& set);
/// A value with its decimals, "—" for NaN, "∞" for infinity.
std::string propertyText(double value, int decimals);

/// Decimals of the surface tension (mN/m).
inline constexpr int kSurfaceTensionDecimals = 2;

/// "压缩水", "过热蒸汽", "超临界区", "湿蒸汽", "饱和水", "饱和蒸汽"; "" for no state.
const char* phaseName(calc::Phase phase);
/// steamcalc's JSON words: "liquid", "vapour", "supercritical", "wet" (saturated water and steam
/// too); "" for no state.
const char* phaseKey(calc::Phase phase);

/// The note beside the saturation panel when the known value names a second saturation state:
/// "另一饱和状态：ts = 320.19 °C"; "" when there is none.
std::string otherSaturationNote(const calc::SaturationSolution& solution);

}  // namespace steam::panels
